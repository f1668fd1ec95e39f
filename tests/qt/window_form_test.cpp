// SPDX-License-Identifier: MIT
// The main window's form as built: every named widget, its kind, its parent, where it stands,
// how it shows its text, and the order the Tab key visits the controls, compared line by line
// with the form recorded in window_form.txt. A change to the form shows up here as the lines
// that moved; the file is written again next to the test binary for review.
#include "started_window.h"
#include "ui/qt/design_widgets.h"
#include "ui/qt/look.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

namespace {

using zorbal::ui::qt::DesignTabControl;

/// The page of the tab control that `widget` is, or -1.
int pageIndex(const QWidget* widget) {
    if (const auto* tabs = qobject_cast<const DesignTabControl*>(widget ? widget->parentWidget() : nullptr))
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->page(i) == widget)
                return i;
    return -1;
}

/// The name of the nearest named container of `widget`: a frame, a tab page or the window.
QString containerOf(const QWidget* widget) {
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (const int page = pageIndex(parent); page >= 0)
            return QStringLiteral("SSTab1_page_%1").arg(page);
        if (!parent->objectName().isEmpty())
            return parent->objectName();
    }
    return QStringLiteral("-");
}

QString describe(const QWidget* widget) {
    QString line;
    QTextStream out(&line);
    const QRect r = widget->geometry();
    out << widget->objectName() << ' ' << widget->metaObject()->className() << " in " << containerOf(widget)
        << ' ' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
    const QFont font = widget->font();
    out << " font " << font.pointSizeF() << (font.bold() ? " bold" : "");
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        out << " align " << Qt::hex << static_cast<int>(label->alignment()) << Qt::dec
            << (label->wordWrap() ? " wraps" : "");
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(widget))
        out << " scroll " << area->horizontalScrollBarPolicy() << ',' << area->verticalScrollBarPolicy();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget))
        out << " wrap " << text->lineWrapMode();
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        out << (button->autoDefault() ? " autodefault" : "");
    if (widget->testAttribute(Qt::WA_NoMousePropagation))
        out << " ownsmouse";
    if (widget->testAttribute(Qt::WA_TransparentForMouseEvents))
        out << " nomouse";
    return line;
}

QStringList formOf(QWidget& window) {
    QStringList lines;
    const QList<QWidget*> all = window.findChildren<QWidget*>();
    for (const QWidget* widget : all)
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")) &&
            pageIndex(widget) < 0)
            lines << describe(widget);
    lines << QStringLiteral("tab order:");
    QWidget* widget = &window;
    for (int i = 0; i < 2000; ++i) {
        widget = widget->nextInFocusChain();
        if (widget == &window)
            break;
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty())
            lines << widget->objectName();
    }
    return lines;
}

} // namespace

class WindowFormTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { zorbal::ui::qt::applyDesignLook(*qApp); }

    void theWindowIsBuiltAsRecorded() {
        Started started;
        const QStringList actual = formOf(started.window);
        QFile written(QStringLiteral("window_form.txt"));
        QVERIFY(written.open(QIODevice::WriteOnly | QIODevice::Truncate));
        written.write(actual.join(QLatin1Char('\n')).toUtf8() + '\n');
        written.close();

        QFile recorded(QStringLiteral(ZORBAL_WINDOW_FORM));
        QVERIFY2(recorded.open(QIODevice::ReadOnly), ZORBAL_WINDOW_FORM);
        const QStringList expected =
            QString::fromUtf8(recorded.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
            QCOMPARE(actual[i], expected[i]);
        QCOMPARE(actual.size(), expected.size());
    }

    // What a screen reader is told of a box: the caption beside it (a label, or the option
    // button over a parachute box) as its name, and its unit as its description.
    void assistiveTechnologyNamesEachBoxByItsCaptionAndUnit() {
        Started started;
        const struct {
            const char* box;
            const char* name;
            const char* description;
        } cases[] = {{"txtInput_0", "Volume of bottle", "litres"},
                     {"txtInput_11", "Trigger by angle from  horizontal", "degrees"},
                     {"txtOutput_4", "Flight Duration", "seconds"}};
        for (const auto& c : cases) {
            auto* box = started.find<QWidget>(c.box);
            QVERIFY2(box, c.box);
            QAccessibleInterface* told = QAccessible::queryAccessibleInterface(box);
            QVERIFY2(told, c.box);
            QCOMPARE(told->text(QAccessible::Name), QString::fromUtf8(c.name));
            QCOMPARE(told->text(QAccessible::Description), QString::fromUtf8(c.description));
        }
    }
};

QTEST_MAIN(WindowFormTest)
#include "window_form_test.moc"
