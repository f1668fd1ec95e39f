// SPDX-License-Identifier: MIT
// The grid control on screen: a table model over platform::Grid and the table view that shows it
// with the designed column widths, cell colours, bold text, alignment and merged headings.
#pragma once

#include "platform/grid.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QTableView>

#include <cstdint>

class QScrollBar;

namespace zorbal::platform::qt {

/// A read-only table model of a grid: one model row per grid row (the heading rows included, as
/// the grid draws them), one model column per grid column. Roles: display text, background and
/// text colour, bold font, alignment. The model shows the grid as of the last refresh().
class HistoryTableModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    /// `grid` must outlive the model.
    explicit HistoryTableModel(const Grid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// A column's heading for assistive technology: the texts of the grid's heading rows above
    /// it ("Bottle Volume litres"). The view shows no header; the heading rows stand in its place.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Brings the model up to the grid: inserts the rows added since the last refresh and
    /// reports only the rows that changed, using the grid's revisions; emits gridLayoutChanged
    /// when the column widths, the merging or the text of a merging row changed.
    void refresh();

    const Grid& grid() const { return m_grid; }
    /// The font of bold cells: `font` made bold (the view passes its own font).
    void setBoldFont(const QFont& font);
    /// Shows the cells' colours in the high-contrast look (platform/contrast.h), or as designed.
    void setHighContrast(bool on);

  signals:
    void gridLayoutChanged();

  private:
    const Grid& m_grid;
    int m_rows = 0;
    int m_cols = 0;
    std::uint64_t m_shownRevision = 0;
    QFont m_boldFont;
    bool m_highContrast = false;
};

/// The table view of a grid: no Qt headers (the grid's own heading rows stand in their place and,
/// like a grid control's fixed rows, stay in view while the launch rows scroll under them; the
/// fixed columns likewise stay in view when the table scrolls sideways; a row added below the
/// visible ones is scrolled into view), grid lines drawn cell by cell so a merged cell shows none
/// inside it,
/// column widths from the grid's twips at the screen's resolution, row-0 group headings spanning
/// their equal neighbours, rows of the grid control's height (240 twips, or the font's), no
/// editing. Call refresh() after every change to the grid. The table takes the focus (a click or
/// Tab) and then scrolls with the arrow keys, Page Up and Page Down, Home and End.
class HistoryTableView final : public QTableView {
    Q_OBJECT

  public:
    explicit HistoryTableView(const Grid& grid, QWidget* parent = nullptr);

    HistoryTableModel* historyModel() const { return m_model; }
    /// Shows what changed in the grid since the last refresh.
    void refresh() { m_model->refresh(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    /// Column widths and merged spans from the grid.
    void applyLayout();
    /// Sets up `view` as a table that shows the model without headers, editing or selection.
    void setUpTable(QTableView& view);
    /// Keeps the views of the fixed rows and columns over the top and left of the viewport.
    void placeHeadings();
    /// A view laid over the viewport that shows part of the table again and scrolls only as told.
    QTableView* makeOverlay(const char* name);
    /// Keeps an overlay's scroll bar where the table's is.
    void follow(QScrollBar* table, QScrollBar* overlay);

    HistoryTableModel* m_model;
    QTableView* m_headings = nullptr;    ///< the grid's fixed rows, drawn over the scrolling rows
    QTableView* m_fixedColumn = nullptr; ///< the grid's fixed columns, drawn over the scrolling columns
    bool m_showLastRow = false;          ///< rows were added while the table was hidden
    QTableView* m_corner = nullptr;      ///< where the fixed rows and columns meet, which never scrolls
};

} // namespace zorbal::platform::qt
