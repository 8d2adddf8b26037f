// The program's start-up exactly as morvel-loader runs it, ending as soon as the main window
// has painted for the first time. It writes one line when that happens; the start-up
// benchmark measures from launching this process to reading that line.
#include "app/loader_application.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report after this paint has finished.
            QTimer::singleShot(0, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (!morvel::PrepareApplication())
        return 1;
    morvel::LoaderApplication loader;
    FirstPaint firstPaint;
    loader.Window().installEventFilter(&firstPaint);
    loader.Window().show();
    return application.exec();
}
