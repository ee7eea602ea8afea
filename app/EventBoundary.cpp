#include "app/EventBoundary.h"

#include "app/Dialogs.h"
#include "store/QuillError.h"

#include <QKeyEvent>
#include <QWidget>

namespace EventBoundary {

void run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const QuillError& error) {
        Dialogs::errorReport(error.message());
    } catch (const std::exception& error) {
        Dialogs::errorReport(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Dialogs::errorReport(QStringLiteral("Unknown error"));
    }
}

namespace {

class KeyFilter : public QObject {
public:
    KeyFilter(QWidget* widget, std::function<void(QChar&)> press, std::function<void(int)> down)
        : QObject(widget), onPress(std::move(press)), onDown(std::move(down)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (onDown)
            run([&] { onDown(key->key()); });
        if (onPress) {
            QChar typed = typedCharacter(key);
            if (typed.isNull())
                return false;
            run([&] { onPress(typed); });
            return typed.isNull();
        }
        return false;
    }

private:
    static QChar typedCharacter(const QKeyEvent* key) {
        if (key->key() == Qt::Key_Backspace)
            return QChar(8);
        const QString text = key->text();
        if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
            return {};
        const QChar c = text.front();
        // Enter, Tab and Escape move focus or press buttons; they are not typed text.
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t') ||
            c.unicode() == 27)
            return {};
        return c;
    }

    std::function<void(QChar&)> onPress;
    std::function<void(int)> onDown;
};

} // namespace

void onKeyPress(QWidget* widget, std::function<void(QChar&)> handler) {
    new KeyFilter(widget, std::move(handler), {});
}

void onKeyDown(QWidget* widget, std::function<void(int key)> handler) {
    new KeyFilter(widget, {}, std::move(handler));
}

} // namespace EventBoundary
