#pragma once

#include "rules/blockdiff.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ComparisonDialog;
}

// "与编程器比较": the differences between what the programmer holds and what an update would
// write, one row each ("参数", "编程器", "当前") under their count, or a line saying there are
// none. Shows only; changes nothing.
class ComparisonDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ComparisonDialog(const QList<BlockDifference> &differences, QWidget *parent = nullptr);
    ~ComparisonDialog() override;

private:
    std::unique_ptr<Ui::ComparisonDialog> m_ui;
};
