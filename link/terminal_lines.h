#pragma once

#include <QString>

#include <cstdio>

namespace morvel {

// Prints the lines of the information list on a stream as they appear. On a terminal the
// progress line is rewritten in place; into a file or a pipe, or when other lines are printed in
// between (a trace), every update is a line of its own.
class TerminalLines {
public:
    enum class Animation { OnTerminal, Never };
    explicit TerminalLines(std::FILE* out, Animation animation = Animation::OnTerminal);
    ~TerminalLines();

    void Print(const QString& line, bool replacesProgress);
    // Ends the newest line, so that other output starts on a line of its own.
    void EndLine();

private:
    std::FILE* out_;
    bool terminal_;
    bool lineOpen_ = false; // the newest line is on screen without its newline yet
};

} // namespace morvel
