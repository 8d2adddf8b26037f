#include "link/timeout_step.h"

#include "link/link_texts.h"
#include "link/module_link.h"
#include "link/protocol.h"

namespace morvel {

namespace {

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString Command(std::string_view command)
{
    return QString::fromLatin1(command.data(), qsizetype(command.size()));
}

} // namespace

QString WaitingStep(const ModuleLink& link)
{
    // The frame last sent: frame 1 goes out before the first acknowledgement.
    const int frameSent = link.frameCount() + 1;
    switch (link.progState()) {
    case ProgState::psStarting:
        return Text(texts::kNoReplyTo).arg(Command(protocol::kStartProgramming));
    case ProgState::psSending:
        return Text(texts::kNoReplyToFrame).arg(frameSent).arg(protocol::kFrames);
    case ProgState::psFinishing:
        return Text(texts::kNoClosingReply).arg(frameSent);
    case ProgState::psIdle:
        break;
    }
    if (link.readState() != ReadState::rsReading)
        return {};
    const std::size_t gathered = link.readBytes().size();
    if (gathered == 0)
        return Text(texts::kNoReplyTo).arg(Command(protocol::kReadMemory));
    return Text(texts::kMemoryStopped).arg(gathered).arg(protocol::kReadReplyMinimum);
}

} // namespace morvel
