// Collecting the radio's replies: ReadReply waits for a burst and files its
// messages, ReadPending files whatever is there now, ParseReplies cuts a burst
// at line feeds. ShowInfoMessage is the common way errors reach txtInfo.
#pragma once

#include <cstddef>
#include <string>

#include "program.h"

namespace qd {

constexpr double kReplyFirstByteSeconds = 0.8;
constexpr double kReplySettleSeconds = 0.06;
// A line that never goes quiet stops the settling here, so the panel cannot freeze.
constexpr std::size_t kReplySettleMaxBytes = 4096;
constexpr double kReplySettleMaxSeconds = 2.0;

// Bytes waiting on the radio port; none while it is closed.
std::size_t RadioBytesPending(Program& p);
void ReadReply(Program& p);
void ReadPending(Program& p);
// Files each message of `reply` and rewrites its line feeds to "<" in place.
void ParseReplies(Program& p, std::string& reply);
// Puts text into txtInfo and makes txtInfo visible.
void ShowInfoMessage(Program& p, const std::string& text);

}  // namespace qd
