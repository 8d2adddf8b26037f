#include "widgets/windows1250.h"

#include <QStringEncoder>

namespace morvel {

namespace {

constexpr const char* kCodePage = "windows-1250";

// One character at a time, so that a character outside the code page is found exactly. The
// converter keeps its error once raised, so every character gets a fresh one; a surrogate half
// is never held by the code page, so a character above the basic plane is refused as a whole.
bool Holds(QChar character)
{
    if (character.isSurrogate())
        return false;
    QStringEncoder encoder(kCodePage);
    const QByteArray converted = encoder.encode(QStringView(&character, 1));  // converts lazily
    Q_UNUSED(converted);
    return !encoder.hasError();
}

bool HoldsAll(const QString& text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray converted = encoder.encode(text);
    Q_UNUSED(converted);
    return !encoder.hasError();
}

} // namespace

bool Windows1250Available()
{
    return QStringEncoder(kCodePage).isValid();
}

bool FitsWindows1250(const QString& text)
{
    return HoldsAll(text);
}

QString KeepWindows1250(const QString& text, int* caret)
{
    if (HoldsAll(text))
        return text;
    QString kept;
    kept.reserve(text.size());
    int removedBeforeCaret = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (Holds(text[i]))
            kept.append(text[i]);
        else if (caret && i < *caret)
            ++removedBeforeCaret;
    }
    if (caret)
        *caret -= removedBeforeCaret;
    return kept;
}

} // namespace morvel
