#pragma once

#include "model/parameterset.h"
#include "support/findwidgets.h"
#include "support/messagerecorder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// Opens a load form on a parameter set and drives its controls as a user does, finding them by
// their accessible names.
template <typename Dialog> class LoadFormTest : public ::testing::Test
{
protected:
    // Opens the form on the set as it is now.
    Dialog &open()
    {
        dialog = std::make_unique<Dialog>(parameters, messages);
        dialog->show();
        return *dialog;
    }

    template <typename T> T *get(const char *name)
    {
        return named<T>(dialog.get(), QString::fromUtf8(name));
    }
    bool enabled(const char *name) { return get<QWidget>(name)->isEnabled(); }

    // Where a user clicks: the button's indicator.
    static void clickIndicator(QAbstractButton *button, QStyle::SubElement indicator)
    {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect r = button->style()->subElementRect(indicator, &option, button);
        QTest::mouseClick(button, Qt::LeftButton, {}, r.center());
    }
    void clickMode(const char *id)
    {
        clickIndicator(get<QRadioButton>(id), QStyle::SE_RadioButtonIndicator);
    }
    void clickBox(const char *id)
    {
        clickIndicator(get<QCheckBox>(id), QStyle::SE_CheckBoxIndicator);
    }
    // The up and down arrows sit at the right end of the spin box, one above the other.
    void clickArrow(const char *id, bool up)
    {
        QSpinBox *spin = get<QSpinBox>(id);
        const QRect r = spin->rect();
        QTest::mouseClick(spin, Qt::LeftButton, {},
                          QPoint(r.right() - 4, up ? r.top() + 4 : r.bottom() - 4));
    }
    void type(const char *id, const QString &text)
    {
        QLineEdit *edit = get<QLineEdit>(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void apply() { QTest::mouseClick(get<QPushButton>("应用"), Qt::LeftButton); }

    ParameterSet parameters;
    MessageRecorder messages;
    std::unique_ptr<Dialog> dialog;
};
