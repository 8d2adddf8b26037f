#include "tools/morvel/module_check.h"

#include "link/protocol.h"
#include "tools/morvel/terminal_run.h"

namespace morvel::cli {

ModuleCheck CheckModule(const std::string& port, const TEepromImage& expected, std::FILE* lines)
{
    TEepromImage inModule;
    const LinkSession::Result read = ReadBackOnTerminal(port, inModule, lines);
    ModuleCheck check;
    if (read.end != RunEnd::ReadBackDone) {
        check.problem = read.text.trimmed().toStdString();
        return check;
    }
    check.differences = CompareImages(expected, inModule, protocol::kProgrammedImageBytes);
    check.verdict = check.differences.empty() ? Verdict::Verified : Verdict::Different;
    return check;
}

const char* VerdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Verified: return "verified";
    case Verdict::Different: return "different";
    case Verdict::CouldNotVerify: return "could not verify";
    }
    return "";
}

QJsonObject CheckJson(const ModuleCheck& check)
{
    QJsonObject json{{QStringLiteral("verdict"), QString::fromLatin1(VerdictName(check.verdict))},
                     {QStringLiteral("differences"), DifferencesJson(check.differences, kFileAndModule)}};
    if (check.verdict == Verdict::CouldNotVerify)
        json.insert(QStringLiteral("error"), QString::fromStdString(check.problem));
    return json;
}

} // namespace morvel::cli
