// The field catalogue names the window's own controls: each field's control exists under that
// name with the catalogue's range or limit, on the page the catalogue gives.
#include "window_fixture.h"

#include "model/field_catalogue.h"
#include "widgets/control_lookup.h"
#include "widgets/limited_edit.h"
#include "widgets/notes_memo.h"
#include "widgets/spin_edit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace morvel::window_test {
namespace {

// The caption of the tab the control stands on; empty when on none.
QString PageOf(const WindowUnderTest& w, const QWidget& control)
{
    const auto& pages = w.Get<QTabWidget>("PageControl2");
    for (int i = 0; i < pages.count(); ++i) {
        if (pages.widget(i)->isAncestorOf(&control))
            return pages.tabText(i);
    }
    return {};
}

void ExpectPlace(const WindowUnderTest& w, const QWidget& control, const std::string& page, const std::string& what)
{
    if (page.empty()) {
        EXPECT_TRUE(control.isHidden()) << what << " is not shown, so its control must be hidden";
        return;
    }
    EXPECT_EQ(PageOf(w, control).toStdString(), page) << what;
    EXPECT_FALSE(control.isHidden()) << what;
}

TEST(WindowFieldCatalogue, EveryFieldsControlIsTheWindowsOwn)
{
    WindowUnderTest w;
    int checked = 0;
    for (const FieldInfo& field : FieldCatalogue()) {
        const QString name = QString::fromStdString(field.control);
        switch (field.editor) {
        case FieldEditor::SpinEdit: {
            const auto* spin = FindControl<SpinEdit>(*w.window, name);
            ASSERT_NE(spin, nullptr) << field.name;
            EXPECT_EQ(spin->minimum(), field.minimum) << field.name;
            EXPECT_EQ(spin->maximum(), field.maximum) << field.name;
            ExpectPlace(w, *spin, field.page, field.name);
            break;
        }
        case FieldEditor::Edit: {
            const auto* edit = FindControl<LimitedEdit>(*w.window, name);
            ASSERT_NE(edit, nullptr) << field.name;
            EXPECT_EQ(edit->Limit(), field.maxLength) << field.name;
            ExpectPlace(w, *edit, field.page, field.name);
            break;
        }
        case FieldEditor::Memo: {
            const auto* memo = FindControl<NotesMemo>(*w.window, name);
            ASSERT_NE(memo, nullptr) << field.name;
            EXPECT_EQ(memo->ByteLimit(), field.maxLength) << field.name;
            ExpectPlace(w, *memo, field.page, field.name);
            break;
        }
        case FieldEditor::ReactionDialog:
        case FieldEditor::NotificationDialog: {
            const auto* button = FindControl<QPushButton>(*w.window, name);
            ASSERT_NE(button, nullptr) << field.name;
            ExpectPlace(w, *button, field.page, field.name);
            break;
        }
        case FieldEditor::CheckBoxes:
        case FieldEditor::None:
            EXPECT_TRUE(field.control.empty()) << field.name;
            break;
        }
        // Bits with a place of their own have their box in the window.
        for (const FieldBit& bit : field.bits) {
            if (bit.control.empty() || (bit.page.empty() && field.editor != FieldEditor::CheckBoxes))
                continue;
            const auto* box = FindControl<QCheckBox>(*w.window, QString::fromStdString(bit.control));
            ASSERT_NE(box, nullptr) << field.name << " " << bit.meaning;
            ExpectPlace(w, *box, bit.page, field.name + " " + bit.meaning);
        }
        ++checked;
    }
    EXPECT_EQ(checked, 138);
}

} // namespace
} // namespace morvel::window_test
