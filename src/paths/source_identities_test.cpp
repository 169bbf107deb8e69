#include "paths/source_identities.h"

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::paths {
namespace {

TEST(SourceIdentitiesTest, AFileIsASourceOnlyOnItsOwnVolume) {
  testing::TempFolder folder;
  const std::string path = folder / "a";
  testing::write_file(path, "a");
  model::SourceList sources;
  sources.entries.emplace_back().path = path.c_str();
  platform::FileIdentity identity;
  ASSERT_TRUE(platform::path_identity(path.c_str(), &identity));
  SourceIdentities identities(sources, false);
  EXPECT_EQ(identities.match(identity), SourceIdentities::Match::kSource);
  EXPECT_EQ(identities.match({identity.volume + 1, identity.index}), SourceIdentities::Match::kNone);
}

}  // namespace
}  // namespace peltrix::paths
