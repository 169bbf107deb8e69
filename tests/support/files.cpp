#include "support/files.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "platform/platform.h"
#include "support/system.h"

namespace peltrix::testing {

TempFolder::TempFolder() {
  static std::mt19937_64 random{std::random_device{}()};
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "peltrix-test-";
    for (int i = 0; i < 6; ++i) name += "abcdefghijklmnopqrstuvwxyz0123456789"[random() % 36];
    // A name of the same length on every system: tests count the folder's length.
    if (std::filesystem::create_directory(temp / name)) {
      path_ = (temp / name).string();
      return;
    }
  }
  throw std::runtime_error("no free temporary folder name");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::operator/(const std::string& name) const {
  return (std::filesystem::path(path_) / name).make_preferred().string();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::string bytes(static_cast<size_t>(file.tellg()), '\0');
  file.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::string typed(const std::string& path) {
  std::string result = path;
  std::replace(result.begin(), result.end(), '/', '\\');
  return result;
}

// Held as another run of the program holds a file: the platform layer's
// exclusive open.
HeldFile::HeldFile(const std::string& path)
    : handle_(platform::open_file(path.c_str(), platform::kGenericRead, 0, platform::kOpenExisting,
                                  platform::kAttributeNormal)) {}

HeldFile::~HeldFile() {
  if (held()) platform::close_file(handle_);
}

void close_files_opened_since(const std::vector<std::intptr_t>& before) {
  for (const std::intptr_t file : open_files()) {
    if (std::find(before.begin(), before.end(), file) == before.end()) close_open_file(file);
  }
}

std::string run_date_stamp() {
  const std::time_t now = std::time(nullptr);
  char stamp[16];
  std::strftime(stamp, sizeof stamp, "_%Y%m%d_", std::localtime(&now));
  return stamp;
}

}  // namespace peltrix::testing
