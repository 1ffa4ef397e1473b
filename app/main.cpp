// Lumetra: a viewer for railway track inspection imagery.

#include "CGlobalObject.h"
#include "CLumetraApp.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The user interface is designed around this face; the installed CJK
    // fonts stand in for it.
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});

    CLumetraApp app(theGlobal());
    if (!app.InitInstance())
        return 0;
    const int result = application.exec();
    app.ExitInstance();
    return result;
}
