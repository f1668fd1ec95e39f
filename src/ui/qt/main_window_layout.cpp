// SPDX-License-Identifier: MIT
// The main window's layout: every widget at its designed position, bound to its control.
#include "ui/qt/main_window.h"

#include "platform/qt/canvas_widget.h"
#include "platform/qt/history_table.h"
#include "ui/qt/design_widgets.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zorbal::ui::qt {

using platform::qt::fromQtText;

namespace {

/// Colours of the history legend's samples, which the window module does not hold.
const QColor kLegendYellow(255, 255, 0);
const QColor kLegendPink(255, 128, 128);

QString arrayName(const char* control, int index) {
    return QString::fromLatin1(control) + QLatin1Char('_') + QString::number(index);
}

void setFontStyle(QWidget* widget, double pointSize, bool bold) {
    QFont font = widget->font();
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    widget->setFont(font);
}

} // namespace

void MainWindow::build() {
    Zorbal& m = *m_model;

    m_tabs = new DesignTabControl(this);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(designRect(120, 120, 12135, 7695));
    std::vector<QWidget*> pages;
    for (const std::string& caption : m.SSTab1.captions())
        pages.push_back(m_tabs->addPage(QString::fromStdString(caption)));
    connect(m_tabs, &DesignTabControl::currentChanged, this,
            [this](int index) { act([this, index] { m_model->SSTab1.setTab(index); }); });
    buildIntroduction(pages[TabIntroduction]);
    buildRocketDesign(pages[TabRocketDesign]);
    buildTrajectory(pages[TabTrajectory]);
    buildVelocity(pages[TabVelocity]);
    buildCommentary(pages[TabCommentary]);
    buildAdvanced(pages[TabAdvanced]);
    buildHistory(pages[TabHistory]);
    // A launch from the design page shows the trajectory page: the "Launch!" there takes the focus.
    auto* launch = findChild<QPushButton*>(QStringLiteral("cmdLaunch"));
    auto* launchAgain = findChild<QPushButton*>(QStringLiteral("cmdLaunch2"));
    m_counterparts[launch] = launchAgain;
    m_counterparts[launchAgain] = launch;
    m_pageDefaults[TabTrajectory] = launchAgain;

    QGroupBox* results = makeFrame(this, m.Frame3, QStringLiteral("Frame3"), 120, 7920, 4575, 1935);
    onMouseMove(results, [&m] { m.Frame3_MouseMove(); });
    const Row resultRow{120, 1575, 1800, 1335, 3240, 1215};
    makeOutputRow(results, resultRow, 360, m.lblOutput[6], arrayName("lblOutput", 6), 4, m.lblOutput[12],
                  arrayName("lblOutput", 12));
    makeOutputRow(results, resultRow, 840, m.lblOutput[4], arrayName("lblOutput", 4), 6, m.lblOutput[11],
                  arrayName("lblOutput", 11));
    makeOutputRow(results, resultRow, 1320, m.lblOutput[9], arrayName("lblOutput", 9), 9, m.lblOutput[10],
                  arrayName("lblOutput", 10));

    QGroupBox* trajectory = makeFrame(this, m.Frame4, QStringLiteral("Frame4"), 6600, 7920, 1935, 1935);
    onMouseMove(trajectory, [&m] { m.Frame4_MouseMove(); });
    makeButton(trajectory, m.cmdCopy, QStringLiteral("cmdCopy"), 360, 480, 1095, 495,
               [&m] { m.cmdCopy_Click(); });
    makeButton(trajectory, m.cmdSaveTraj, QStringLiteral("cmdSaveTraj"), 360, 1200, 1095, 495,
               [&m] { m.cmdSaveTraj_Click(); });

    makeButton(this, m.cmdShowHelp[0], arrayName("cmdShowHelp", 0), 9480, 8520, 2415, 495,
               [&m] { m.cmdShowHelp_Click(0); });
    QLabel* helpTitle = makeLabel(this, m.Label6[0], arrayName("Label6", 0), 12480, 120, 2535, 495);
    setFontStyle(helpTitle, 12, true);
    QPlainTextEdit* help = makeTextArea(this, m.txtHelp, QStringLiteral("txtHelp"), 12450, 600, 2895, 9255);
    help->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void MainWindow::buildIntroduction(QWidget* page) {
    Zorbal& m = *m_model;
    QLabel* welcome = makeLabel(page, m.Label4, QStringLiteral("Label4"), 1080, 780, 9615, 735);
    setFontStyle(welcome, 18, true);
    welcome->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    makeTextArea(page, m.Text1, QStringLiteral("Text1"), 240, 1380, 11655, 5415);
}

void MainWindow::buildRocketDesign(QWidget* page) {
    Zorbal& m = *m_model;
    QLabel* hint = makeLabel(page, m.Label3, QStringLiteral("Label3"), 3120, 480, 6015, 255);
    setFontStyle(hint, 8, true);

    QGroupBox* rocket = makeFrame(page, m.Frame1, QStringLiteral("Frame1"), 360, 840, 5655, 3975);
    onMouseMove(rocket, [&m] { m.Frame1_MouseMove(); });
    onClick(rocket, [&m] { m.Frame1_Click(); });
    const Row row{120, 1935, 2160, 975, 3240, 1335};
    makeInputRow(rocket, row, 480, 0, 0, 15);
    Row fillingRow = row;
    fillingRow.unitWidth = 855; // leaves room for "Optimise"
    makeInputRow(rocket, fillingRow, 960, 1, 1, 14);
    makeInputRow(rocket, row, 1440, 3, 3, 12);
    makeInputRow(rocket, row, 1920, 4, 4, 11);
    makeInputRow(rocket, row, 2400, 26, 9, 27);
    makeInputRow(rocket, row, 2880, 5, 5, 10);
    makeInputRow(rocket, row, 3360, 6, 6, 9);
    makeButton(rocket, m.cmdOptimise, QStringLiteral("cmdOptimise"), 4200, 960, 1095, 375,
               [&m] { m.cmdOptimise_Click(); });

    QGroupBox* launcher =
        makeFrame(page, m.frmLauncher, QStringLiteral("frmLauncher"), 360, 4920, 5655, 1935);
    onMouseMove(launcher, [&m] { m.frmLauncher_MouseMove(); });
    onClick(launcher, [&m] { m.frmLauncher_Click(); });
    makeInputRow(launcher, row, 360, 7, 7, 8);
    makeCheckBox(launcher, 2, 840, 840, 1815, 375, false);
    makeInputRow(launcher, row, 1320, 25, 8, 24);

    makeCheckBox(page, 3, 10080, 480, 1815, 375, false);
    QGroupBox* parachute =
        makeFrame(page, m.frmParachute, QStringLiteral("frmParachute"), 6240, 840, 5655, 3255);
    onMouseMove(parachute, [&m] { m.frmParachute_MouseMove(); });
    onClick(parachute, [&m] { m.frmParachute_Click(); });
    const std::pair<int, int> triggers[] = {{360, 11}, {1260, 12}};
    const int triggerUnits[] = {30, 32};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(parachute);
        option->setObjectName(arrayName("optParachute", i));
        option->setGeometry(designRect(240, triggers[i].first, 4455, 375));
        m_options.push_back(option);
        connect(option, &QRadioButton::clicked, this,
                [this, i] { act([this, i] { m_model->optParachute.select(i); }); });
        onMouseMove(option, [&m, i] { m.optParachute_MouseMove(i); });
        makeInput(parachute, triggers[i].second, 600, triggers[i].first + 420, 975, 375);
        const int unit = triggerUnits[i];
        makeRowLabel(parachute, m.lblInput[static_cast<std::size_t>(unit)], arrayName("lblInput", unit), 1680,
                     triggers[i].first + 420, 1335);
    }
    makeInputRow(parachute, Row{240, 1815, 2160, 975, 3240, 1335}, 2520, 34, 13, 35);

    QGroupBox* files = makeFrame(page, m.Frame5, QStringLiteral("Frame5"), 6240, 4920, 2295, 1935);
    onMouseMove(files, [&m] { m.Frame5_MouseMove(); });
    makeButton(files, m.cmdLoad, QStringLiteral("cmdLoad"), 600, 480, 1095, 495, [&m] { m.cmdLoad_Click(); });
    makeButton(files, m.cmdSave, QStringLiteral("cmdSave"), 600, 1200, 1095, 495,
               [&m] { m.cmdSave_Click(); });

    makeButton(page, m.cmdCheck, QStringLiteral("cmdCheck"), 8880, 5040, 2535, 495,
               [&m] { m.cmdCheck_Click(); });
    makeButton(page, m.cmdDefault, QStringLiteral("cmdDefault"), 8880, 5640, 2535, 495,
               [&m] { m.cmdDefault_Click(); });
    makeButton(page, m.cmdLaunch, QStringLiteral("cmdLaunch"), 8880, 6240, 2535, 495,
               [&m] { m.cmdLaunch_Click(); });
}

void MainWindow::buildTrajectory(QWidget* page) {
    Zorbal& m = *m_model;
    makeLabel(page, m.Label1[6], arrayName("Label1", 6), 240, 660, 2775, 255);
    makeGraphLimit(page, 0, 240, 900, 735, 435);
    makeLabel(page, m.Label1[5], arrayName("Label1", 5), 120, 3360, 1095, 735);

    auto* graph = makeGraph(page, m.pctXYGraph, QStringLiteral("pctXYGraph"), 1200, 900, 10575, 5535,
                            [&m] { m.pctXYGraph_MouseMove(); });
    makeKey(graph, m.Frame8, QStringLiteral("Frame8"), 8160, 2295, 2655,
            {{4, 5}, {5, 4}, {6, 3}, {7, 6}, {8, 7}, {3, -1}});

    QLabel* range = makeLabel(page, m.Label1[7], arrayName("Label1", 7), 5160, 6480, 2055, 615);
    range->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    makeInputRow(page, Row{1080, 1095, 2280, 855, 3240, 1815}, 6480, 29, 10, 28);
    makeCheckBox(page, 0, 1080, 6960, 3975, 375, false);
    makeButton(page, m.cmdLaunch2, QStringLiteral("cmdLaunch2"), 8040, 6960, 1935, 495,
               [&m] { m.cmdLaunch2_Click(); });
    QLabel* maximum = makeLabel(page, m.Label1[4], arrayName("Label1", 4), 10320, 6840, 1455, 615);
    maximum->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    makeGraphLimit(page, 1, 10800, 6480, 975, 435);
}

void MainWindow::buildVelocity(QWidget* page) {
    Zorbal& m = *m_model;
    makeLabel(page, m.Label1[3], arrayName("Label1", 3), 240, 600, 3015, 255);
    makeGraphLimit(page, 2, 120, 900, 855, 435);
    makeLabel(page, m.Label1[2], arrayName("Label1", 2), 120, 2700, 975, 975);

    auto* graph = makeGraph(page, m.pctVTgraph, QStringLiteral("pctVTgraph"), 1080, 840, 10815, 5775,
                            [&m] { m.pctVTgraph_MouseMove(); });
    makeKey(graph, m.Frame7, QStringLiteral("Frame7"), 8160, 2535, 1815, {{0, 0}, {1, 1}, {2, 2}});

    makeButton(page, m.cmdClearGraph[1], arrayName("cmdClearGraph", 1), 7080, 1200, 2055, 375,
               [&m] { m.cmdClearGraph_Click(1); });
    QLabel* time = makeLabel(page, m.Label1[0], arrayName("Label1", 0), 5520, 6720, 1815, 735);
    time->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    makeGraphLimit(page, 3, 11040, 6780, 855, 435);
    QLabel* maximum = makeLabel(page, m.Label1[1], arrayName("Label1", 1), 10080, 7200, 1815, 255);
    maximum->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

void MainWindow::buildCommentary(QWidget* page) {
    Zorbal& m = *m_model;
    QLabel* title = makeLabel(page, m.Label6[2], arrayName("Label6", 2), 360, 480, 3855, 495);
    setFontStyle(title, 12, true);
    QPlainTextEdit* commentary =
        makeTextArea(page, m.txtCommentary, QStringLiteral("txtCommentary"), 360, 1080, 11415, 5535);
    commentary->setLineWrapMode(QPlainTextEdit::NoWrap);
    commentary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    commentary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    makeButton(page, m.cmdCopyCommentary, QStringLiteral("cmdCopyCommentary"), 9240, 6840, 2535, 495,
               [&m] { m.cmdCopyCommentary_Click(); });
}

void MainWindow::buildAdvanced(QWidget* page) {
    Zorbal& m = *m_model;
    QGroupBox* calculated = makeFrame(page, m.Frame2, QStringLiteral("Frame2"), 240, 480, 6135, 6975);
    // A calculated value: its caption lblOutput(label), its box txtOutput(output) and its unit
    // lblInput(unit).
    auto outputRow = [this, &m](QWidget* frame, int top, int label, int output, int unit) {
        const Row row{120, 1935, 2160, 975, 3240, 2535};
        makeOutputRow(frame, row, top, m.lblOutput[static_cast<std::size_t>(label)],
                      arrayName("lblOutput", label), output, m.lblInput[static_cast<std::size_t>(unit)],
                      arrayName("lblInput", unit));
    };

    QGroupBox* water = makeFrame(calculated, m.frmWater, QStringLiteral("frmWater"), 120, 360, 5895, 2295);
    outputRow(water, 360, 0, 0, 16);
    outputRow(water, 840, 1, 1, 17);
    outputRow(water, 1320, 13, 10, 23);
    outputRow(water, 1800, 2, 2, 18);

    QGroupBox* air = makeFrame(calculated, m.frmAir, QStringLiteral("frmAir"), 120, 2760, 5895, 1215);
    outputRow(air, 300, 3, 3, 19);
    outputRow(air, 720, 5, 5, 20);

    QGroupBox* launch =
        makeFrame(calculated, m.frmParameters, QStringLiteral("frmParameters"), 120, 4080, 5895, 2775);
    outputRow(launch, 360, 7, 7, 21);
    outputRow(launch, 840, 8, 8, 22);
    outputRow(launch, 1320, 14, 11, 31);
    outputRow(launch, 1800, 15, 12, 33);
    outputRow(launch, 2280, 16, 13, 36);

    makeCheckBox(page, 1, 6960, 720, 4335, 1215, true);
    makeInputRow(page, Row{6960, 1695, 8760, 975, 9840, 1095}, 2280, 2, 2, 13);
}

void MainWindow::buildHistory(QWidget* page) {
    Zorbal& m = *m_model;
    QLabel* title = makeLabel(page, m.Label6[1], arrayName("Label6", 1), 360, 480, 3855, 495);
    setFontStyle(title, 12, true);

    m_history = new platform::qt::HistoryTableView(m.MSFlexGrid1, page);
    m_history->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_history->setGeometry(designRect(240, 960, 11535, 4335));

    auto* yellow = new ShapeBox(kLegendYellow, page);
    yellow->setObjectName(arrayName("Shape1", 0));
    yellow->setGeometry(designRect(480, 5580, 975, 255));
    // The legend texts are wider than designed: this system's fonts need a third line in the
    // designed width, which the designed height cannot show.
    makeLabel(page, m.Label1[8], arrayName("Label1", 8), 1560, 5400, 4215, 615);
    auto* pink = new ShapeBox(kLegendPink, page);
    pink->setObjectName(arrayName("Shape1", 1));
    pink->setGeometry(designRect(480, 6780, 975, 255));
    makeLabel(page, m.Label1[9], arrayName("Label1", 9), 1560, 6600, 4215, 615);

    QGroupBox* exports = makeFrame(page, m.Frame6, QStringLiteral("Frame6"), 9840, 5400, 1935, 1935);
    makeButton(exports, m.cmdCopyHistory, QStringLiteral("cmdCopyHistory"), 360, 480, 1095, 495,
               [&m] { m.cmdCopyHistory_Click(); });
    makeButton(exports, m.cmdSaveHistory, QStringLiteral("cmdSaveHistory"), 360, 1200, 1095, 495,
               [&m] { m.cmdSaveHistory_Click(); });
}

QLabel* MainWindow::makeLabel(QWidget* parent, Label& label, const QString& name, int left, int top,
                              int width, int height) {
    auto* widget = new QLabel(parent);
    widget->setObjectName(name);
    widget->setGeometry(designRect(left, top, width, height));
    widget->setWordWrap(true);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Movement over a label belongs to the label, not to the frame around it.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    m_labels.push_back(LabelBinding{&label, widget, platform::kButtonFace, platform::kBlack});
    return widget;
}

QGroupBox* MainWindow::makeFrame(QWidget* parent, Label& frame, const QString& name, int left, int top,
                                 int width, int height) {
    auto* widget = new QGroupBox(parent);
    widget->setObjectName(name);
    widget->setGeometry(designRect(left, top, width, height));
    widget->setAttribute(Qt::WA_NoMousePropagation);
    m_labels.push_back(LabelBinding{&frame, widget, platform::kButtonFace, platform::kBlack});
    return widget;
}

QLineEdit* MainWindow::makeLineEdit(QWidget* parent, TextBox& box, const QString& name, int left, int top,
                                    int width, int height) {
    auto* widget = new QLineEdit(parent);
    widget->setObjectName(name);
    widget->setGeometry(designRect(left, top, width, height));
    widget->setAttribute(Qt::WA_NoMousePropagation);
    connect(widget, &QLineEdit::textEdited, this,
            [&box](const QString& text) { box.Text = text.toStdString(); });
    m_lines.push_back(LineBinding{&box, widget, platform::kWhite, platform::kBlack});
    return widget;
}

QLineEdit* MainWindow::makeInput(QWidget* parent, int index, int left, int top, int width, int height) {
    Zorbal& m = *m_model;
    QLineEdit* box = makeLineEdit(parent, m.txtInput[static_cast<std::size_t>(index)],
                                  arrayName("txtInput", index), left, top, width, height);
    onMouseMove(box, [&m, index] { m.txtInput_MouseMove(index); });
    onClick(box, [&m, index] { m.txtInput_Click(index); });
    m_validators[box] = [&m, index](bool& cancel) { m.txtInput_Validate(index, cancel); };
    return box;
}

QLineEdit* MainWindow::makeOutput(QWidget* parent, int index, int left, int top, int width, int height) {
    Zorbal& m = *m_model;
    QLineEdit* box = makeLineEdit(parent, m.txtOutput[static_cast<std::size_t>(index)],
                                  arrayName("txtOutput", index), left, top, width, height);
    onMouseMove(box, [&m, index] { m.txtOutput_MouseMove(index); });
    onClick(box, [&m, index] { m.txtOutput_Click(index); });
    return box;
}

QLineEdit* MainWindow::makeGraphLimit(QWidget* parent, int index, int left, int top, int width, int height) {
    Zorbal& m = *m_model;
    QLineEdit* box = makeLineEdit(parent, m.txtGraph[static_cast<std::size_t>(index)],
                                  arrayName("txtGraph", index), left, top, width, height);
    onMouseMove(box, [&m, index] { m.txtGraph_MouseMove(index); });
    m_validators[box] = [&m, index](bool& cancel) { m.txtGraph_Validate(index, cancel); };
    // Enter leaves the box as Tab does: it is validated and the graph plotted again, once.
    connect(box, &QLineEdit::returnPressed, box, [box] {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &tab);
    });
    return box;
}

QPlainTextEdit* MainWindow::makeTextArea(QWidget* parent, TextBox& box, const QString& name, int left,
                                         int top, int width, int height) {
    auto* widget = new QPlainTextEdit(parent);
    widget->setObjectName(name);
    widget->setGeometry(designRect(left, top, width, height));
    widget->setTabChangesFocus(true);
    const std::size_t slot = m_textAreas.size();
    m_textAreas.push_back(TextAreaBinding{&box, widget, std::string(), platform::kWhite, platform::kBlack});
    connect(widget, &QPlainTextEdit::textChanged, this, [this, slot] {
        TextAreaBinding& binding = m_textAreas[slot];
        binding.model->Text = fromQtText(binding.widget->toPlainText());
        binding.shown = binding.model->Text;
    });
    return widget;
}

QPushButton* MainWindow::makeButton(QWidget* parent, Button& button, const QString& name, int left, int top,
                                    int width, int height, std::function<void()> click) {
    auto* widget = new QPushButton(parent);
    widget->setObjectName(name);
    widget->setGeometry(designRect(left, top, width, height));
    widget->setAutoDefault(true); // Enter presses the focused button
    widget->setAttribute(Qt::WA_NoMousePropagation);
    connect(widget, &QPushButton::clicked, this, [this, click = std::move(click)] { act(click); });
    Zorbal& m = *m_model;
    onMouseMove(widget, [&m, &button] { m.cmdButton_MouseMove(button); });
    m_buttons.push_back(ButtonBinding{&button, widget, platform::kButtonFace});
    return widget;
}

QCheckBox* MainWindow::makeCheckBox(QWidget* parent, int index, int left, int top, int width, int height,
                                    bool wraps) {
    QCheckBox* widget = wraps ? new WrapCheckBox(parent) : new QCheckBox(parent);
    widget->setObjectName(arrayName("chkOptions", index));
    widget->setGeometry(designRect(left, top, width, height));
    widget->setAttribute(Qt::WA_NoMousePropagation);
    connect(widget, &QCheckBox::clicked, this, [this, widget, index] {
        const int value = widget->checkState() == Qt::Checked     ? 1
                          : widget->checkState() == Qt::Unchecked ? 0
                                                                  : 2;
        act([this, index, value] { m_model->chkOptions[static_cast<std::size_t>(index)].setValue(value); });
    });
    Zorbal& m = *m_model;
    onMouseMove(widget, [&m, index] { m.chkOptions_MouseMove(index); });
    m_checks.push_back(CheckBinding{&m.chkOptions[static_cast<std::size_t>(index)], widget});
    return widget;
}

QLabel* MainWindow::makeRowLabel(QWidget* parent, Label& label, const QString& name, int left, int top,
                                 int width) {
    QLabel* widget = makeLabel(parent, label, name, left, top + 60, width, 255);
    // Centred on the box beside it: its 255 twips lie in the middle of the box's 375, and the
    // text in the middle of them whatever the font's line height.
    widget->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return widget;
}

void MainWindow::makeInputRow(QWidget* parent, const Row& row, int top, int label, int input, int unit) {
    Zorbal& m = *m_model;
    makeRowLabel(parent, m.lblInput[static_cast<std::size_t>(label)], arrayName("lblInput", label),
                 row.labelLeft, top, row.labelWidth);
    makeInput(parent, input, row.boxLeft, top, row.boxWidth, 375);
    makeRowLabel(parent, m.lblInput[static_cast<std::size_t>(unit)], arrayName("lblInput", unit),
                 row.unitLeft, top, row.unitWidth);
}

void MainWindow::makeOutputRow(QWidget* parent, const Row& row, int top, Label& label,
                               const QString& labelName, int output, Label& unit, const QString& unitName) {
    makeRowLabel(parent, label, labelName, row.labelLeft, top, row.labelWidth);
    makeOutput(parent, output, row.boxLeft, top, row.boxWidth, 375);
    makeRowLabel(parent, unit, unitName, row.unitLeft, top, row.unitWidth);
}

platform::qt::CanvasWidget* MainWindow::makeGraph(QWidget* parent, const platform::DrawingSurface& surface,
                                                  const QString& name, int left, int top, int width,
                                                  int height, std::function<void()> mouseMove) {
    auto* graph = new platform::qt::CanvasWidget(parent);
    graph->setObjectName(name);
    graph->setGeometry(designRect(left, top, width, height));
    graph->setSurface(&surface);
    graph->setAttribute(Qt::WA_NoMousePropagation);
    connect(graph, &platform::qt::CanvasWidget::mouseMoved, this,
            [this, handler = std::move(mouseMove)] { act(handler); });
    m_graphs.push_back(graph);
    return graph;
}

void MainWindow::makeKey(QWidget* graph, Label& frame, const QString& name, int left, int width, int height,
                         const std::vector<std::pair<int, int>>& lines) {
    Zorbal& m = *m_model;
    QGroupBox* key = makeFrame(graph, frame, name, left, 0, width, height);
    int y = 480;
    for (const auto& [line, label] : lines) {
        auto* sample = new KeyLineWidget(key);
        sample->setObjectName(arrayName("Line1", line));
        sample->setGeometry(designRect(120, y - 60, 360, 120));
        m_keys.push_back(KeyBinding{&m.Line1[static_cast<std::size_t>(line)], sample});
        if (label >= 0)
            makeLabel(key, m.Label2[static_cast<std::size_t>(label)], arrayName("Label2", label), 600,
                      y - 127, width - 660, 255);
        y += 480;
    }
}

} // namespace zorbal::ui::qt
