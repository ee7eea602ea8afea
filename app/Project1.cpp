#include "app/Branding.h"
#include "app/Dialogs.h"
#include "app/StartupError.h"
#include "app/Unit1.h"

#include <QApplication>
#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(Branding::applicationTitle);
    QApplication::setApplicationDisplayName(Branding::applicationTitle);

    std::unique_ptr<TForm1> form;
    try {
        form = std::make_unique<TForm1>();
    } catch (const StartupError& error) {
        if (!error.alreadyShown())
            Dialogs::errorReport(error.message());
        return 1;
    } catch (const std::exception& error) {
        Dialogs::errorReport(QString::fromLocal8Bit(error.what()));
        return 1;
    }
    form->show();
    return QApplication::exec();
}
