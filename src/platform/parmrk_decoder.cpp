#include "platform/parmrk_decoder.h"

namespace qd {

ParmrkDecoder::Result ParmrkDecoder::Feed(std::string_view raw, bool mask7) {
  Result r;
  auto data = [&](unsigned char c) {
    if (mask7) c &= 0x7F;
    if (c != 0) r.data.push_back(static_cast<char>(c));
  };
  for (char ch : raw) {
    const auto c = static_cast<unsigned char>(ch);
    switch (state_) {
      case State::Normal:
        if (c == 0xFF)
          state_ = State::AfterFF;
        else
          data(c);
        break;
      case State::AfterFF:
        if (c == 0xFF) {
          data(0xFF);
          state_ = State::Normal;
        } else if (c == 0x00) {
          state_ = State::AfterFF00;
        } else {
          data(0xFF);
          data(c);
          state_ = State::Normal;
        }
        break;
      case State::AfterFF00:
        if (c == 0x00) {
          r.breaks = 1;
        } else {
          r.data.push_back(kParityReplacement);
          ++r.errors;
        }
        state_ = State::Normal;
        break;
    }
  }
  return r;
}

}  // namespace qd
