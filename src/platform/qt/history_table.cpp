// SPDX-License-Identifier: MIT
// The grid control on screen.
#include "platform/qt/history_table.h"

#include "platform/qt/qt_color.h"
#include "platform/qt/twips.h"

#include <QColor>
#include <QHeaderView>
#include <QScrollBar>

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
        return toQColor(cell.backColor);
    case Qt::ForegroundRole:
        return toQColor(cell.foreColor);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(toQtAlignment(cell.alignment));
    case Qt::FontRole:
        return cell.bold ? QVariant(m_boldFont) : QVariant();
    default:
        return {};
    }
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
    : QTableView(parent), m_model(new HistoryTableModel(grid, this)), m_headings(new QTableView(this)) {
    setUpTable(*this);
    m_model->setBoldFont(font());

    // The heading rows are drawn a second time by a view laid over the top of the viewport that
    // never scrolls vertically, so they stay in sight over a long table.
    setUpTable(*m_headings);
    m_headings->setFrameShape(QFrame::NoFrame);
    m_headings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_headings->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_headings->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_headings->setHorizontalScrollMode(horizontalScrollMode());
    viewport()->stackUnder(m_headings);
    connect(horizontalScrollBar(), &QAbstractSlider::valueChanged, m_headings->horizontalScrollBar(),
            &QAbstractSlider::setValue);

    connect(m_model, &HistoryTableModel::gridLayoutChanged, this, &HistoryTableView::applyLayout);
    applyLayout();
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
}

void HistoryTableView::applyLayout() {
    const Grid& grid = m_model->grid();
    const double dotsPerInch = logicalDpiX();
    for (int c = 0; c < grid.Cols(); ++c) {
        const int width = twipsToPixels(grid.ColWidth(c), dotsPerInch);
        setColumnWidth(c, width);
        m_headings->setColumnWidth(c, width);
    }
    clearSpans();
    m_headings->clearSpans();
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (grid.MergeRow(r))
            for (const auto& [first, count] : grid.mergedSpans(r)) {
                setSpan(r, first, 1, count);
                m_headings->setSpan(r, first, 1, count);
            }
    placeHeadings();
}

void HistoryTableView::updateGeometries() {
    QTableView::updateGeometries();
    placeHeadings();
}

void HistoryTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeHeadings();
}

void HistoryTableView::placeHeadings() {
    int height = 0;
    for (int r = 0; r < m_model->grid().FixedRows() && r < m_model->rowCount(); ++r)
        height += rowHeight(r);
    const QRect area = viewport()->geometry();
    m_headings->setGeometry(area.left(), area.top(), area.width(), std::min(height, area.height()));
    m_headings->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

} // namespace zorbal::platform::qt
