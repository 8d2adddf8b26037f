#include "app/loader_application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (!morvel::PrepareApplication())
        return 1;
    morvel::LoaderApplication loader;
    loader.Window().show();
    return application.exec();
}
