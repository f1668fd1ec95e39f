// SPDX-License-Identifier: MIT
// The main window for assistive technology and the keyboard: the announcement of each launch,
// the graphs' descriptions and numbers, F1's advice, the focus frame of the owner-drawn controls
// and the high-contrast look.
#include "ui/accessible_text.h"
#include "ui/qt/design_widgets.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"

#include "platform/qt/canvas_widget.h"
#include "platform/qt/history_table.h"

#include <QApplication>
#include <QFocusFrame>
#include <QPushButton>

#include <algorithm>

namespace zorbal::ui::qt {

namespace {

/// Never a colour of the program (those have 24 bits): a binding holding it paints again.
constexpr platform::Color kRepaint = 0xFF000000u;

/// The numbers behind the graphs: "Events of launch 1: Water expelled, Time (seconds) 0.10,
/// Height (metres) 0.52, ...; Air expelled, ...", in the words of the page's table of them.
std::string eventsText(const Zorbal& model) {
    const std::vector<std::string> headings = flightEventHeadings();
    std::string out = flightEventsCaption(model);
    const std::vector<FlightEventRow> rows = flightEventRows(model);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const FlightEventRow& row = rows[i];
        out += i == 0 ? ": " : "; ";
        out += row.event;
        const std::string* values[] = {&row.time, &row.height, &row.range, &row.speed};
        for (std::size_t j = 0; j < std::size(values) && j + 1 < headings.size(); ++j)
            out += ", " + headings[j + 1] + " " + *values[j];
    }
    return out + ".";
}

void setIfChanged(QWidget* widget, const QString& name, const QString& description) {
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

} // namespace

void MainWindow::buildAccessibility() {
    m_announcer = new AnnouncementWidget(this);
    m_announcer->setObjectName(QStringLiteral("announcer"));
    m_focusFrame = new QFocusFrame(this);
    m_focusFrame->hide();
    for (platform::qt::CanvasWidget* graph : m_graphs)
        graph->setFocusPolicy(Qt::TabFocus);
}

void MainWindow::launch(const std::string& id) {
    const int before = m_model->LaunchCount;
    m_messages.takeHeard(); // what was said before this launch is not its result
    act([this, &id] { m_actions->run(FormEvent::Click, id); });
    const std::string heard = m_messages.takeHeard();
    const std::string said = m_model->LaunchCount != before ? launchAnnouncement(*m_model) : heard;
    m_announcer->announce(QString::fromStdString(said));
}

void MainWindow::showFocusedAdvice() {
    const QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != this)
        return;
    const std::string id = focused->objectName().toStdString();
    if (m_actions->handles(FormEvent::Move, id))
        act([this, id] { m_actions->run(FormEvent::Move, id); });
}

void MainWindow::showFocusFrame(QWidget* focused) {
    if (!m_focusFrame)
        return;
    const bool ownerDrawn = focused && (focused == m_history || std::find(m_graphs.begin(), m_graphs.end(),
                                                                          focused) != m_graphs.end());
    if (ownerDrawn)
        m_focusFrame->setWidget(focused);
    else if (m_focusFrame->widget())
        m_focusFrame->setWidget(nullptr);
}

void MainWindow::refreshGraphTexts() {
    const QString numbers = QString::fromStdString(eventsText(*m_model));
    for (platform::qt::CanvasWidget* graph : m_graphs) {
        const int which = graph->objectName() == QLatin1String("pctXYGraph") ? 0 : 1;
        setIfChanged(graph, QString::fromStdString(graphDescription(*m_model, which)), numbers);
    }
}

void MainWindow::setHighContrast(bool on) {
    if (on == m_highContrast)
        return;
    m_highContrast = on;
    applyLookPalette(on);
    // Every colour the window module gave a control is shown again in the new look.
    for (LineBinding& binding : m_lines)
        binding.shownBack = binding.shownFore = kRepaint;
    for (TextAreaBinding& binding : m_textAreas)
        binding.shownBack = binding.shownFore = kRepaint;
    for (ButtonBinding& binding : m_buttons)
        binding.shownBack = kRepaint;
    for (LabelBinding& binding : m_labels)
        binding.shownBack = binding.shownFore = binding.shownBehind = kRepaint;
    m_history->historyModel()->setHighContrast(on);
    refresh();
}

} // namespace zorbal::ui::qt
