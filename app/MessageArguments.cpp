#include "app/MessageArguments.h"

#include "programfile/RegularFile.h"
#include "sign/GlyphTable.h"
#include "sign/ProgramDocument.h"
#include "sign/Windows1252.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringDecoder>
#include <array>
#include <optional>
#include <string>
#include <utility>

namespace corvane {

namespace {

// A messages file of 256 messages of 256 characters stays far below this.
constexpr qint64 kMaxMessagesFileSize = qint64{1} << 20;

QString Tr(const char* text)
{
    return QCoreApplication::translate("CommandLine", text);
}

// The one place a message is made from its parts.
Message EntryOf(std::string text, ScrollDirection direction, int speed, int pause)
{
    return {std::move(text), direction, speed, pause};
}

// The text in the font's one Windows-1252 byte per character, or the first
// character the font does not show. Every check of what the font shows is
// made here.
std::variant<std::string, char32_t> FontText(const QString& text)
{
    SignText converted = ToSignText(text.toStdString());
    if (!converted.isWhole()) {
        return QString::fromStdString(converted.leftOut.front()).toUcs4().value(0, U'\uFFFD');
    }
    return std::move(converted.bytes);
}

// "é" (U+00E9); a character that prints nothing by its number alone.
QString Named(char32_t character)
{
    const QString number =
        QStringLiteral("U+%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper();
    const QString shown = QString::fromUcs4(&character, 1);
    return QChar::isPrint(character) ? QStringLiteral("\"%1\" (%2)").arg(shown, number) : number;
}

std::optional<ScrollDirection> DirectionNamed(const QString& word)
{
    static constexpr std::array<std::pair<const char*, ScrollDirection>, kDirectionCount> kNames{{
        {"left", ScrollDirection::Left},
        {"right", ScrollDirection::Right},
        {"up", ScrollDirection::Up},
        {"down", ScrollDirection::Down},
        {"still", ScrollDirection::Still},
        {"blink", ScrollDirection::Blink},
    }};
    for (const auto& [name, direction] : kNames) {
        if (word.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return direction;
        }
    }
    return std::nullopt;
}

// One DIRECTION:SPEED:TEXT, or why not, for message `number`.
std::variant<Message, QString> MessageOf(const QString& triple, qsizetype number)
{
    const QString message = Tr("message %1").arg(number);
    const qsizetype firstColon = triple.indexOf(u':');
    const qsizetype secondColon = firstColon < 0 ? -1 : triple.indexOf(u':', firstColon + 1);
    if (secondColon < 0) {
        return Tr("%1: expected DIRECTION:SPEED:TEXT, as in left:5:HELLO").arg(message);
    }
    // "left/3": a scroll that pauses 3 s where it stops.
    const QString way = triple.left(firstColon);
    const qsizetype slash = way.indexOf(u'/');
    const QString word = slash < 0 ? way : way.left(slash);
    const auto direction = DirectionNamed(word);
    if (!direction) {
        return Tr("%1: the direction \"%2\" is none of left, right, up, down, still and blink")
            .arg(message, word);
    }
    int pause = 0;
    if (slash >= 0) {
        const QString pauseText = way.mid(slash + 1);
        pause = pauseText.size() == 1 && pauseText[0].isDigit() ? pauseText.toInt() : -1;
        if (IsStanding(*direction)) {
            return Tr("%1: %2 messages stand by themselves; only a scroll pauses")
                .arg(message, word);
        }
        if (!IsPause(pause)) {
            return Tr("%1: the pause \"%2\" is not one of 0 to %3 seconds")
                .arg(message, pauseText)
                .arg(kMaxPause);
        }
    }
    const QString speedText = triple.mid(firstColon + 1, secondColon - firstColon - 1);
    const int speed = speedText.size() == 1 && speedText[0].isDigit() ? speedText.toInt() : -1;
    if (!IsSpeed(speed)) {
        return Tr("%1: the speed \"%2\" is not one of %3 to %4")
            .arg(message, speedText)
            .arg(kMinSpeed)
            .arg(kMaxSpeed);
    }
    auto text = FontText(triple.mid(secondColon + 1));
    if (const auto* unshown = std::get_if<char32_t>(&text)) {
        return Tr("%1: %2 is not a character the font shows (it shows the printable "
                  "Windows-1252 characters: ASCII from the space to \"~\", accented letters, "
                  "\"\u20AC\", \"\u00B0\" and the like)")
            .arg(message, Named(*unshown));
    }
    std::string& bytes = std::get<std::string>(text);
    if (bytes.empty() || bytes.size() > Message::kMaxTextLength) {
        return Tr("%1 has %2 characters; a message has 1 to %3")
            .arg(message)
            .arg(bytes.size())
            .arg(Message::kMaxTextLength);
    }
    return EntryOf(std::move(bytes), *direction, speed, pause);
}

// The list of the DIRECTION:SPEED:TEXT triples, each refusal led by where its triple stands.
MessageList ListOf(const QStringList& triples, const QStringList& places)
{
    if (triples.isEmpty()) {
        return Tr("no messages");
    }
    if (triples.size() > static_cast<qsizetype>(ProgramDocument::kMaxEntries)) {
        return Tr("%1 messages; a program holds at most %2")
            .arg(triples.size())
            .arg(ProgramDocument::kMaxEntries);
    }
    std::vector<Message> entries;
    for (qsizetype index = 0; index < triples.size(); ++index) {
        auto message = MessageOf(triples[index], index + 1);
        if (auto* refusal = std::get_if<QString>(&message)) {
            return places[index] + std::move(*refusal);
        }
        entries.push_back(std::get<Message>(std::move(message)));
    }
    return entries;
}

} // namespace

MessageList MessagesOf(const QStringList& triples)
{
    return ListOf(triples, QStringList(triples.size()));
}

MessageList MessagesOfLines(const QString& text)
{
    QStringList triples;
    QStringList places;
    const QStringList lines = text.split(u'\n');
    for (qsizetype index = 0; index < lines.size(); ++index) {
        QString line = lines[index];
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (!line.isEmpty()) {
            triples << line;
            places << Tr("line %1, ").arg(index + 1);
        }
    }
    return ListOf(triples, places);
}

MessageList ReadMessagesFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const FileBytes file = ReadRegularFile(path, kMaxMessagesFileSize);
    switch (file.outcome) {
    case FileBytes::Outcome::NotAFile:
        return NotAFileSentence(name, file.notAFile);
    case FileBytes::Outcome::TooLarge:
        return Tr("%1 is larger than 1 MiB, far more than 256 messages").arg(name);
    case FileBytes::Outcome::Failed:
        return QStringLiteral("%1: %2").arg(path, file.error);
    case FileBytes::Outcome::Read:
        break;
    }
    // A leading byte order mark is passed over.
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString text = decoder(file.bytes);
    if (decoder.hasError()) {
        return Tr("%1 is not UTF-8 text").arg(name);
    }
    MessageList list = MessagesOfLines(text);
    if (auto* refusal = std::get_if<QString>(&list)) {
        *refusal = QStringLiteral("%1: %2").arg(name, *refusal);
    }
    return list;
}

} // namespace corvane
