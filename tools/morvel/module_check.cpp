#include "tools/morvel/module_check.h"

#include "link/protocol.h"

namespace morvel::cli {

ModuleCheck CheckModule(TerminalLink& link, const TEepromImage& expected)
{
    TEepromImage inModule;
    const LinkSession::Result read = link.ReadBack(inModule);
    ModuleCheck check;
    if (read.end != RunEnd::ReadBackDone) {
        check.problem = FailureText(read);
        check.hint = FailureHint(read, ModuleRun::Read);
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
