#include <iconv.h>

#include <cerrno>

#include "foundation/gbk_codec.h"

namespace varnok::ini {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// One iconv conversion descriptor, closed when it goes out of scope.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of in as it can; in is advanced past what was converted. Returns errno of
  // the stop (0 when everything was converted).
  int Convert(std::string_view& in, std::string& out) {
    char buffer[1024];
    while (true) {
      char* in_ptr = const_cast<char*>(in.data());
      std::size_t in_left = in.size();
      char* out_ptr = buffer;
      std::size_t out_left = sizeof buffer;
      const std::size_t result =
          iconv(cd_, in.empty() ? nullptr : &in_ptr, &in_left, &out_ptr, &out_left);
      const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
      out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
      in.remove_prefix(in.size() - in_left);
      if (error != E2BIG) return in.empty() ? 0 : (error != 0 ? error : EILSEQ);
    }
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  Converter converter("UTF-8", "GBK");
  if (!converter.ok()) {
    for (std::size_t i = 0; i < gbk.size(); ++i) {
      if (static_cast<unsigned char>(gbk[i]) < 0x80) {
        out += gbk[i];
      } else {
        out += kReplacementCharacter;
      }
    }
    return out;
  }
  while (!gbk.empty()) {
    if (converter.Convert(gbk, out) == 0) break;
    // An invalid or incomplete sequence: replace its first byte and go on after it.
    out += kReplacementCharacter;
    gbk.remove_prefix(1);
  }
  return out;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
  std::string out;
  Converter converter("GBK", "UTF-8");
  if (!converter.ok() || converter.Convert(utf8, out) != 0) return std::nullopt;
  return out;
}

}  // namespace varnok::ini
