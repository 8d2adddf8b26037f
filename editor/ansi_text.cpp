#include "editor/ansi_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace morvel {

namespace {

constexpr const char* kAnsiCodePage = "windows-1250";
constexpr char kUnmappableReplacement = '?';

} // namespace

QString AnsiToText(std::string_view bytes)
{
    const std::size_t end = bytes.find('\0');
    if (end != std::string_view::npos)
        bytes = bytes.substr(0, end);
    QStringDecoder decoder(kAnsiCodePage);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string TextToAnsi(const QString& text)
{
    // Character by character, so that one character the code page lacks spoils only its own byte.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    QStringEncoder encoder(kAnsiCodePage);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray encoded = encoder.encode(QStringView(text).mid(i, length));
        if (encoder.hasError() || encoded.size() != 1) {
            bytes.push_back(kUnmappableReplacement);
            encoder = QStringEncoder(kAnsiCodePage); // the error flag stays set until then
        } else {
            bytes.push_back(encoded.at(0));
        }
        i += length - 1;
    }
    return bytes;
}

} // namespace morvel
