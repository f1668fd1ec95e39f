// SPDX-License-Identifier: MIT
// The grid control on screen.
#include "platform/qt/history_table.h"

#include "platform/contrast.h"
#include "platform/qt/qt_color.h"
#include "platform/qt/twips.h"

#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace zorbal::platform::qt {

namespace {

// The grid control's default row height.
constexpr int kRowHeightTwips = 240;

Qt::Alignment toQtAlignment(CellAlignment alignment) {
    switch (alignment) {
    case CellAlignment::CenterCenter:
        return Qt::AlignCenter;
    case CellAlignment::RightCenter:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlignment::LeftCenter:
    case CellAlignment::General:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

/// Paints a cell and then its grid lines along its right and bottom edges, as the view's own grid
/// would; a merged cell is one cell, so no line crosses it. (The view's grid left stubs of the
/// column lines inside merged headings.)
class GridLineDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        cell.rect.adjust(0, 0, -1, -1);
        QStyledItemDelegate::paint(painter, cell, index);
        const QWidget* view = option.widget;
        const QStyle* style = view ? view->style() : nullptr;
        const QColor line = style ? QColor::fromRgba(static_cast<QRgb>(
                                        style->styleHint(QStyle::SH_Table_GridLineColor, &option, view)))
                                  : option.palette.color(QPalette::Mid);
        painter->save();
        painter->setPen(line);
        const QRect r = option.rect;
        painter->drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }
};

} // namespace

HistoryTableModel::HistoryTableModel(const Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(grid.Rows()), m_cols(grid.Cols()),
      m_shownRevision(grid.revision()) {
    m_boldFont.setBold(true);
}

void HistoryTableModel::setBoldFont(const QFont& font) {
    m_boldFont = font;
    m_boldFont.setBold(true);
}

int HistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

Qt::ItemFlags HistoryTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        index.row() >= m_grid.Rows())
        return {};
    const GridCell& cell = m_grid.cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(cell.text);
    case Qt::BackgroundRole:
        return toQColor(m_highContrast ? highContrastBack(cell.backColor) : cell.backColor);
    case Qt::ForegroundRole:
        return toQColor(m_highContrast ? highContrastFore(cell.foreColor, cell.backColor) : cell.foreColor);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(toQtAlignment(cell.alignment));
    case Qt::FontRole:
        return cell.bold ? QVariant(m_boldFont) : QVariant();
    default:
        return {};
    }
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_cols)
        return QAbstractTableModel::headerData(section, orientation, role);
    QString heading;
    QString above;
    for (int r = 0; r < m_grid.FixedRows() && r < m_rows && r < m_grid.Rows(); ++r) {
        const QString text = QString::fromStdString(m_grid.TextMatrix(r, section)).trimmed();
        if (text.isEmpty() || text == above)
            continue;
        heading += (heading.isEmpty() ? QString() : QStringLiteral(" ")) + text;
        above = text;
    }
    return heading;
}

void HistoryTableModel::setHighContrast(bool on) {
    if (on == m_highContrast)
        return;
    m_highContrast = on;
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
}

void HistoryTableModel::refresh() {
    const std::uint64_t shown = m_shownRevision;
    m_shownRevision = m_grid.revision();
    const int oldRows = m_rows;
    const int rows = m_grid.Rows();
    if (rows > oldRows) {
        beginInsertRows(QModelIndex(), oldRows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < oldRows) {
        beginRemoveRows(QModelIndex(), rows, oldRows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    bool isLayoutChanged = m_grid.layoutRevision() > shown;
    for (const int row : m_grid.rowsChangedSince(shown)) {
        if (m_grid.MergeRow(row))
            isLayoutChanged = true;
        if (row < oldRows && row < rows)
            emit dataChanged(index(row, 0), index(row, m_cols - 1));
    }
    if (isLayoutChanged)
        emit gridLayoutChanged();
}

HistoryTableView::HistoryTableView(const Grid& grid, QWidget* parent)
    : QTableView(parent), m_model(new HistoryTableModel(grid, this)) {
    setUpTable(*this);
    // Tab leaves the table rather than moving between its cells.
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    m_model->setBoldFont(font());

    // The fixed rows and columns are drawn a second time by views laid over the viewport: the
    // heading rows never scroll vertically and the fixed columns never sideways, so they stay in
    // sight over a long or wide table; their corner never scrolls.
    m_fixedColumn = makeOverlay("fixedColumns");
    m_headings = makeOverlay("fixedRows");
    m_corner = makeOverlay("fixedCorner");
    follow(horizontalScrollBar(), m_headings->horizontalScrollBar());
    follow(verticalScrollBar(), m_fixedColumn->verticalScrollBar());
    // A launch adds its row at the end: show it, now or when the table is shown next.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (isVisible())
            scrollToBottom();
        else
            m_showLastRow = true;
    });

    connect(m_model, &HistoryTableModel::gridLayoutChanged, this, &HistoryTableView::applyLayout);
    applyLayout();
}

void HistoryTableView::follow(QScrollBar* table, QScrollBar* overlay) {
    connect(table, &QAbstractSlider::valueChanged, overlay, &QAbstractSlider::setValue);
    // An overlay lays its rows out later than the table when rows are added: a position set
    // before then is cut to its old range, so it takes the table's again once its range grows.
    connect(overlay, &QAbstractSlider::rangeChanged, table,
            [table, overlay] { overlay->setValue(table->value()); });
}

QTableView* HistoryTableView::makeOverlay(const char* name) {
    auto* overlay = new QTableView(this);
    overlay->setObjectName(QString::fromLatin1(name));
    setUpTable(*overlay);
    overlay->setFrameShape(QFrame::NoFrame);
    overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
    overlay->setHorizontalScrollMode(horizontalScrollMode());
    overlay->setVerticalScrollMode(verticalScrollMode());
    overlay->raise();
    return overlay;
}

void HistoryTableView::setUpTable(QTableView& view) {
    view.setModel(m_model);
    view.horizontalHeader()->hide();
    view.verticalHeader()->hide();
    // Fixed sizes: the view never measures a row's contents, so a long table stays fast.
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(
        std::max(twipsToPixels(kRowHeightTwips, logicalDpiY()), fontMetrics().height() + 4));
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setSelectionMode(QAbstractItemView::NoSelection);
    view.setFocusPolicy(Qt::NoFocus);
    view.setWordWrap(false);
    view.setShowGrid(false);
    view.setItemDelegate(new GridLineDelegate(&view));
}

void HistoryTableView::applyLayout() {
    const Grid& grid = m_model->grid();
    const double dotsPerInch = logicalDpiX();
    for (int c = 0; c < grid.Cols(); ++c) {
        const int width = twipsToPixels(grid.ColWidth(c), dotsPerInch);
        for (QTableView* view : {static_cast<QTableView*>(this), m_headings, m_fixedColumn, m_corner})
            view->setColumnWidth(c, width);
    }
    for (QTableView* view : {static_cast<QTableView*>(this), m_headings, m_fixedColumn, m_corner})
        view->clearSpans();
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (grid.MergeRow(r))
            for (const auto& [first, count] : grid.mergedSpans(r))
                for (QTableView* view : {static_cast<QTableView*>(this), m_headings, m_fixedColumn, m_corner})
                    view->setSpan(r, first, 1, count);
    placeHeadings();
}

void HistoryTableView::keyPressEvent(QKeyEvent* event) {
    // The table has no current cell to move: the keys scroll it.
    QScrollBar* across = horizontalScrollBar();
    QScrollBar* down = verticalScrollBar();
    const auto scroll = [event](QScrollBar* bar, QAbstractSlider::SliderAction action) {
        bar->triggerAction(action);
        event->accept();
    };
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        return scroll(across, QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Right:
        return scroll(across, QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_Up:
        return scroll(down, QAbstractSlider::SliderSingleStepSub);
    case Qt::Key_Down:
        return scroll(down, QAbstractSlider::SliderSingleStepAdd);
    case Qt::Key_PageUp:
        return scroll(down, QAbstractSlider::SliderPageStepSub);
    case Qt::Key_PageDown:
        return scroll(down, QAbstractSlider::SliderPageStepAdd);
    case Qt::Key_Home:
        return scroll(down, QAbstractSlider::SliderToMinimum);
    case Qt::Key_End:
        return scroll(down, QAbstractSlider::SliderToMaximum);
    default:
        event->ignore(); // Tab, Ctrl+PgDown and the window's keys go on
    }
}

void HistoryTableView::updateGeometries() {
    QTableView::updateGeometries();
    placeHeadings();
}

void HistoryTableView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (m_showLastRow) {
        m_showLastRow = false;
        scrollToBottom();
    }
}

void HistoryTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeHeadings();
}

void HistoryTableView::placeHeadings() {
    if (!m_headings || !m_fixedColumn || !m_corner)
        return; // still being built
    const Grid& grid = m_model->grid();
    int height = 0;
    for (int r = 0; r < grid.FixedRows() && r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    int width = 0;
    for (int c = 0; c < grid.FixedCols() && c < m_model->columnCount(); ++c)
        width += columnWidth(c);
    const QRect area = viewport()->geometry();
    height = std::min(height, area.height());
    width = std::min(width, area.width());
    m_headings->setGeometry(area.left(), area.top(), area.width(), height);
    m_fixedColumn->setGeometry(area.left(), area.top(), width, area.height());
    m_corner->setGeometry(area.left(), area.top(), width, height);
    m_headings->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_fixedColumn->verticalScrollBar()->setValue(verticalScrollBar()->value());
    m_fixedColumn->setVisible(width > 0);
    m_corner->setVisible(width > 0 && height > 0);
}

} // namespace zorbal::platform::qt
