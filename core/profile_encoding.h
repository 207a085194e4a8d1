#pragma once
// The encodings a settings file may come in. The profile engine works on bytes; a file in
// UTF-16 with its byte order mark (what Notepad saves as "Unicode"), which the Windows profile
// functions read too, is turned into UTF-8 for the engine and back on writing, so that a
// hand-edited file keeps its encoding and every character. Any other file is taken as it is.

#include <string>
#include <string_view>

namespace torvik::profile {

enum class FileEncoding { kBytes, kUtf16Le, kUtf16Be };

struct DecodedFile {
    std::string text;
    FileEncoding encoding = FileEncoding::kBytes;
    bool lossless = true;  // false when the bytes cannot be written back as they were
};

// The text of a file's bytes. UTF-16 becomes UTF-8 (a lone surrogate as its own three bytes,
// so that it survives the trip back); an odd last byte of a UTF-16 file is left out and the
// file marked as not lossless.
DecodedFile DecodeFile(std::string_view bytes);

// The bytes of a text for a file of the given encoding, with its byte order mark. Bytes of the
// text that are not UTF-8 stand for the characters U+0080..U+00FF.
std::string EncodeFile(std::string_view text, FileEncoding encoding);

}  // namespace torvik::profile
