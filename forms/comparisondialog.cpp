#include "forms/comparisondialog.h"

#include "model/texts.h"
#include "ui_comparisondialog.h"

#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>

namespace {

// Sizes a table to show its columns whole and `rows` rows without scrolling, within the screen.
void fitTableToContents(QTableView *table, int rows)
{
    table->resizeColumnsToContents();
    QHeaderView *header = table->horizontalHeader();
    for (int c = 0; c < header->count(); ++c) // a little air after the longest text
        header->resizeSection(c,
                              header->sectionSize(c) + 2 * table->fontMetrics().averageCharWidth());
    const int frame = 2 * table->frameWidth();
    QSize size(header->length() + frame + table->verticalScrollBar()->sizeHint().width(),
               header->sizeHint().height() + frame +
                   table->verticalHeader()->defaultSectionSize() * rows);
    if (const QScreen *screen = table->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.8);
    table->setMinimumSize(size);
}

} // namespace

ComparisonDialog::ComparisonDialog(const QList<BlockDifference> &differences, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ComparisonDialog>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    m_ui->closeButton->setAccessibleName(m_ui->closeButton->text());
    QLabel *summary = m_ui->summaryLabel;
    summary->setText(differences.isEmpty() ? Text::compareSame()
                                           : Text::compareCount(int(differences.size())));
    summary->setAccessibleName(summary->text());

    QTableWidget *table = m_ui->differenceTable;
    table->setAccessibleName(Text::compareCaption());
    table->setColumnCount(3);
    table->setHorizontalHeaderLabels(Text::compareHeaders());
    table->setRowCount(int(differences.size()));
    for (int r = 0; r < differences.size(); ++r) {
        const BlockDifference &d = differences.at(r);
        const QString texts[] = {d.parameter, d.programmer, d.current};
        for (int c = 0; c < 3; ++c)
            table->setItem(r, c, new QTableWidgetItem(texts[c]));
    }
    if (differences.isEmpty()) {
        table->hide();
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        // Up to 16 rows at once; a shorter list leaves no empty rows below it.
        constexpr int shownRows = 16;
        fitTableToContents(table, std::min(int(differences.size()), shownRows));
        if (differences.size() <= shownRows)
            table->setMaximumHeight(table->minimumHeight());
    }
}

ComparisonDialog::~ComparisonDialog() = default;
