#include "app/command_line.h"
#include "app/loader_application.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    morvel::NameTheProgram();
    if (const std::optional<int> status = morvel::AnswerBeforeTheWindow(argc, argv))
        return *status;

    QApplication application(argc, argv);
    const morvel::LoaderRequest request = morvel::ParseLoaderArguments(QApplication::arguments());
    if (request.kind != morvel::LoaderRequest::Kind::OpenWindow)
        return morvel::AnswerOnTheTerminal(request);
    if (!morvel::PrepareApplication())
        return morvel::kExitFailure;
    morvel::LoaderApplication loader;
    loader.Window().show();
    // Once the window is up, so that a box about a refused file opens over it.
    QTimer::singleShot(0, &loader.Window(), [&] { morvel::ApplyStartRequest(loader.Window(), request); });
    return application.exec();
}
