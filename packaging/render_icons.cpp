// Writes the program's picture, as the window and the about box draw it, in the sizes of the
// desktop's icon theme:
//   morvel-render-icons FOLDER NAME SIZE...
// writes FOLDER/SIZExSIZE/apps/NAME.png for each SIZE. Needs a GUI platform; the build runs it
// on the offscreen one.
#include "editor/program_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("Usage: morvel-render-icons FOLDER NAME SIZE...\n", stderr);
        return 2;
    }
    const QDir folder(arguments[1]);
    const QString name = arguments[2];
    for (const QString& sizeText : arguments.mid(3)) {
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size <= 0) {
            std::fprintf(stderr, "morvel-render-icons: \"%s\" is no icon size\n", qPrintable(sizeText));
            return 2;
        }
        const QString subfolder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = folder.filePath(subfolder + u'/' + name + QStringLiteral(".png"));
        if (!folder.mkpath(subfolder) || !morvel::ProgramPicture(size).save(file, "PNG")) {
            std::fprintf(stderr, "morvel-render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
