#include "link/terminal_lines.h"

#include <unistd.h>

namespace morvel {

namespace {

constexpr char kEraseToEndOfLine[] = "\x1b[K";

} // namespace

TerminalLines::TerminalLines(std::FILE* out, Animation animation)
    : out_(out)
    , terminal_(animation == Animation::OnTerminal && isatty(fileno(out)) != 0)
{
}

TerminalLines::~TerminalLines()
{
    EndLine();
}

void TerminalLines::EndLine()
{
    if (lineOpen_)
        std::fputc('\n', out_);
    lineOpen_ = false;
    std::fflush(out_);
}

void TerminalLines::Print(const QString& line, bool replacesProgress)
{
    const QByteArray text = line.toLocal8Bit();
    if (!terminal_) {
        std::fprintf(out_, "%s\n", text.constData());
    } else if (replacesProgress) {
        // The progress line is the newest line while it is being rewritten.
        std::fprintf(out_, "\r%s%s", text.constData(), kEraseToEndOfLine);
    } else {
        // The newline waits for the next line, so the newest one can still be rewritten.
        std::fprintf(out_, "%s%s", lineOpen_ ? "\n" : "", text.constData());
        lineOpen_ = true;
    }
    std::fflush(out_);
}

} // namespace morvel
