#pragma once

#include "sign/Message.h"

#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

namespace corvane {

// A message list from the command line, or why it is refused: a sentence that
// names the message by its number, counted from 1.
using MessageList = std::variant<std::vector<Message>, QString>;

// The messages of --message arguments, each DIRECTION:SPEED:TEXT: DIRECTION
// left, right, up, down, still or blink in any case, a scroll's followed by
// "/" and a pause of 0 to 9 seconds if any ("left/3"), SPEED 0 to 9, TEXT
// everything after the second colon, 1 to 256 characters the font shows. A
// list holds 1 to 256.
MessageList MessagesOf(const QStringList& triples);

// The messages of a --messages file's text, one DIRECTION:SPEED:TEXT a line
// (LF or CR LF); empty lines are skipped. A refusal names the line too.
MessageList MessagesOfLines(const QString& text);

// The messages of the UTF-8 file at `path`, read as ReadRegularFile reads:
// what is not a regular file is refused unread.
MessageList ReadMessagesFile(const QString& path);

} // namespace corvane
