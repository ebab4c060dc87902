#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/WinApp.h"
#include "platform/headless/Headless.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kTemplate = 500;
constexpr int kName = 10;
constexpr int kNote = 11;

// Two text boxes bound to two members. The name box can report a change
// while it is being filled and pull in answer, as an edit box with a change
// handler does.
class FormDialog : public CDialog {
public:
    FormDialog() : CDialog(kTemplate) {}

    CString m_strName;
    CString m_strNote;
    bool m_bPullsWhileFilled = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kName, m_strName);
        if (m_bPullsWhileFilled && !pDX->m_bSaveAndValidate)
            UpdateData(true);
        DDX_Text(pDX, kNote, m_strNote);
    }
};

class Dialog : public testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { headless::Reset(); }

    FormDialog dlg;
};

TEST_F(Dialog, PushesMembersAndPullsControlTexts)
{
    dlg.m_strName = "a";
    headless::Open(dlg);
    EXPECT_EQ(headless::ControlText(dlg, kName), "a");

    headless::Type(dlg, kName, "typed");
    headless::Type(dlg, kNote, "note");
    EXPECT_EQ(dlg.m_strName, "a") << "nothing pulls before it is asked to";
    EXPECT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_strName, "typed");
    EXPECT_EQ(dlg.m_strNote, "note");

    dlg.m_strNote = "changed";
    EXPECT_TRUE(dlg.UpdateData(false));
    EXPECT_EQ(headless::ControlText(dlg, kNote), "changed");
}

TEST_F(Dialog, PullAskedForDuringAPushIsSkipped)
{
    headless::Open(dlg);
    dlg.m_bPullsWhileFilled = true;
    dlg.m_strName = "name";
    dlg.m_strNote = "note";
    dlg.UpdateData(false);
    EXPECT_EQ(headless::ControlText(dlg, kName), "name");
    EXPECT_EQ(headless::ControlText(dlg, kNote), "note");
    EXPECT_EQ(dlg.m_strNote, "note");
}

TEST_F(Dialog, EnterPullsAndEndsWithOk)
{
    headless::Open(dlg);
    headless::Type(dlg, kName, "x");
    headless::Click(dlg, IDOK);
    EXPECT_EQ(dlg.m_strName, "x");
    EXPECT_TRUE(headless::IsEnded(dlg));
    EXPECT_EQ(headless::EndResult(dlg), IDOK);
}

TEST_F(Dialog, EscapeEndsWithCancelAndAnEndedDialogTakesNoEvents)
{
    headless::Open(dlg);
    headless::Type(dlg, kName, "x");
    headless::Click(dlg, IDCANCEL);
    EXPECT_EQ(dlg.m_strName, "");
    EXPECT_EQ(headless::EndResult(dlg), IDCANCEL);

    headless::Click(dlg, IDOK);
    EXPECT_EQ(headless::EndResult(dlg), IDCANCEL);
    EXPECT_EQ(dlg.m_strName, "");
}

TEST_F(Dialog, EventsWithoutAHandlerGoToTheDefault)
{
    headless::Open(dlg);
    EXPECT_FALSE(headless::Tick(dlg, 1));
    EXPECT_FALSE(headless::SysCommand(dlg, 0xF020));
    EXPECT_FALSE(headless::Paint(dlg));
    EXPECT_EQ(headless::QueryDragIcon(dlg), nullptr);
}

TEST_F(Dialog, ModalRunEndsWithTheResultGivenWhileOpen)
{
    headless::SetModalHandler([](CDialog& open) {
        headless::Type(open, kName, "answer");
        headless::Click(open, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strName, "answer");
    EXPECT_EQ(headless::ModalDialogs(), std::vector<unsigned>{kTemplate});
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr) << "the window is gone once the modal run is over";
}

TEST_F(Dialog, ModalRunNobodyAnswersIsCancelled)
{
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(Dialog, MessageBoxHasTheProgramTitleAsCaption)
{
    headless::Open(dlg);
    dlg.ShowMessage("text");
    ASSERT_EQ(headless::MessageBoxes().size(), 1u);
    EXPECT_EQ(headless::MessageBoxes()[0].strCaption, "unit_tests");
    EXPECT_EQ(headless::MessageBoxes()[0].strText, "text");
}

} // namespace
