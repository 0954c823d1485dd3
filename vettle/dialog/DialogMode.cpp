#include "vettle/dialog/DialogMode.h"

#include <QApplication>

#include "vettle/dialog/ZDetectTamperDialog.h"

namespace vettle {

int RunDialogMode(int argc, char** argv)
{
    QApplication application(argc, argv);
    ZDetectTamperDialog dialog;
    dialog.exec();
    return 0;
}

}  // namespace vettle
