// The rename-parameters (KRNM) file: 23 lines ending in CR LF, a tag line,
// a warning line and the 21 option values P1 to P21.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/parameter_table.h"
#include "rules/rename_options.h"

namespace params {
inline constexpr char kTagLine[] = "KRNM";
inline constexpr char kWarningLine[] = "请勿修改本文件内容，否则后果自负！！";

// The text of parameter line P`p` (1 to 21) for these options.
std::string WriteParameter(const rules::RenameOptions& options, int p);
// The whole file: both header lines and P1 to P21, each followed by CR LF.
std::string BuildKrnmFile(const rules::RenameOptions& options);

// Where a reader's bytes come from, a piece at a time.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `size` further bytes into `buffer`; 0 at the end.
  virtual size_t Read(char* buffer, size_t size) = 0;
};

// Bytes already in memory, as a source.
class TextSource final : public ByteSource {
 public:
  explicit TextSource(std::string_view bytes) : bytes_(bytes) {}
  size_t Read(char* buffer, size_t size) override;

 private:
  std::string_view bytes_;
};

// A line keeps at most this many bytes (far more than any name can use);
// the rest of a longer one is read past. So a file of any size and content
// loads in bounded memory: an edit box given a megabyte of text alone
// takes tens of megabytes.
inline constexpr size_t kLongestLine = size_t{1} << 16;
// A parameters file is a few hundred bytes; a larger file than this is no
// parameters file, and is refused before it is read.
inline constexpr unsigned long long kLargestFile = 1ull << 20;

// Reads a file's bytes line by line, only as far as the lines asked for:
// the bytes up to the next LF, one CR right before it dropped; a byte of
// 0x80 or above takes the next byte with it; a zero byte or byte 26 ends
// the readable data; past the end every line is empty.
class KrnmReader {
 public:
  explicit KrnmReader(ByteSource& source) : source_(&source) {}
  explicit KrnmReader(std::string_view bytes) : text_(bytes), source_(&*text_) {}
  KrnmReader(const KrnmReader&) = delete;
  KrnmReader& operator=(const KrnmReader&) = delete;
  std::string NextLine();

 private:
  static constexpr int kNoByte = -1;
  int NextByte();

  std::optional<TextSource> text_;
  ByteSource* source_;
  std::vector<char> buffer_ = std::vector<char>(size_t{1} << 16);
  size_t position_ = 0, filled_ = 0;
  bool ended_ = false;
};

// What loading one parameter line does to its control(s).
struct LineEffect {
  enum Kind {
    Nothing,  // a value outside the listed ones
    Text,     // the edit box takes `text`
    Check,    // the check box, or the first box of a two-way pair, is `checked`
    Choice,   // radio box number `choice` (1-based) or list item `choice` (0-based)
  } kind = Nothing;
  std::string text;
  bool checked = false;
  int choice = 0;
};

LineEffect InterpretParameter(int p, std::string_view value);

// Applies parameter line P`p` to an options value, as Load applies it to
// the controls.
void ApplyParameter(rules::RenameOptions& options, int p, std::string_view value);

}  // namespace params
