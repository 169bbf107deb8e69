#include "engine/source_marks.h"

#include "engine/mark_reports.h"
#include "messages/catalogue_files.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"
#include "platform/platform.h"
#include "records/bom_step.h"
#include "records/leading_bytes.h"

namespace peltrix::engine {

namespace {

// Bytes enough to tell every mark.
constexpr uint32_t kLeadingBytes = 8;

// Message codes of the deciding source and of the others.
struct Codes {
  messages::OpenCode open;
  messages::ReadCode read;
  messages::CloseCode close;
};
constexpr Codes kDeciding{messages::kFirstSourceOpen, messages::kFirstSourceRead, messages::kFirstSourceClose};
constexpr Codes kJoined{messages::kJoinedSourceOpen, messages::kJoinedRead, messages::kJoinedSourceClose};

bool agrees(const uint8_t* bytes, uint32_t count, const model::SourceEntry& s, int32_t& detected) {
  const int32_t code = s.settings.input_code;
  return leading_bytes_agree(records::check_leading_bytes(bytes, count, code, s.settings.plain_bytes, detected), code);
}

// Opens s, reads its leading bytes, closes it, and judges them against the
// marks before it.
bool judge(const model::SourceEntry& s, const Codes& codes, int32_t& detected) {
  paths::OpenRequest request = paths::source_request();
  request.path = s.path;
  if (!paths::open_step(request, codes.open)) return false;
  uint8_t leading[kLeadingBytes];
  uint32_t count = 0;
  if (!platform::read_file(request.handle, leading, kLeadingBytes, &count)) {
    messages::read_failure(codes.read, s.path, platform::last_error());
    platform::close_file(request.handle);
    return false;
  }
  return paths::close_step(request.handle, s.path, codes.close) && agrees(leading, count, s, detected);
}

bool is_judged_apart(const model::SourceEntry& s, const model::SourceEntry& deciding) {
  // A repeated source is the same file as one judged before it.
  return &s != &deciding && s.kind == model::EntryKind::kFile && !s.settings.plain_bytes &&
         (s.flags & paths::value_flag::kRepeat) == 0;
}

}  // namespace

const model::SourceEntry* deciding_source(const model::SourceList& sources) {
  const model::SourceEntry* first = nullptr;
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind != model::EntryKind::kFile) continue;
    if (s.size >= 2) return &s;
    if (first == nullptr) first = &s;
  }
  return first;
}

bool judge_source_marks(const model::SourceList& sources, const records::Mark& mark, bool per_file,
                        SourceMarks& marks) {
  const model::SourceEntry* deciding = deciding_source(sources);
  if (deciding == nullptr) return true;
  int32_t detected = records::kCodeUndecided;
  if (!judge(*deciding, kDeciding, detected)) return false;
  // The per-file copy judges the others as it takes them: opening each
  // twice would cost a tree of small files dearly.
  for (const model::SourceEntry& s : sources.entries) {
    if (!per_file && is_judged_apart(s, *deciding) && !judge(s, kJoined, detected)) return false;
  }
  const model::SourceSettings& settings = deciding->settings;
  // The mark step refuses /OJ1 to /OJ5 for sources that carry a mark.
  const records::BomSettings bom{mark, settings.skips_records(), settings.plain_bytes, detected};
  if (!mark_handling_accepted(bom)) return false;
  marks.detected_code = detected;
  marks.units = records::select_active_units(detected, settings.input_code);
  marks.decided_by = deciding;
  return true;
}

bool judge_open_source(const model::SourceEntry& source, const SourceMarks& marks, messages::ReadCode read_code) {
  if (marks.decided_by == nullptr || !is_judged_apart(source, *marks.decided_by)) return true;
  uint8_t leading[kLeadingBytes];
  uint32_t count = 0;
  if (!platform::read_file_at(source.handle, 0, leading, kLeadingBytes, &count)) {
    messages::read_failure(read_code, source.path, platform::last_error());
    return false;
  }
  int32_t detected = marks.detected_code;
  return agrees(leading, count, source, detected);
}

}  // namespace peltrix::engine
