// CDialog from registered templates: dialog units, data exchange binding,
// initialisation order, and the module state deciding which module's
// template is used.
#include <dlfcn.h>

#include <string>
#include <vector>

#include "AfxTestSupport.h"

namespace {

const int kTemplateId = 300;
const int kButtonId = 1001;

const PlDialogItemTemplate kItems[] = {
    {"Button", "Press", kButtonId, WS_VISIBLE | WS_TABSTOP, 0, 10, 20, 50, 14},
};
const PlDialogTemplate kDialog = {WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, 0, 0, 120, 60, "exe dialog",
                                  "MS Sans Serif", 8, kItems, 1};

class CBoundDialog : public CDialog {
public:
    CButton m_button;
    std::vector<std::string> m_order;
    int m_nBindId = kButtonId;
    BOOL m_bButtonExistedAtInit = FALSE;

    void DoDataExchange(CDataExchange* pDX) override
    {
        m_order.push_back("DoDataExchange");
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, m_nBindId, m_button);
    }
    BOOL OnInitDialog() override
    {
        m_order.push_back("OnInitDialog");
        m_bButtonExistedAtInit = ::GetDlgItem(m_hWnd, kButtonId) != nullptr;
        BOOL bResult = CDialog::OnInitDialog();
        m_order.push_back(bResult ? "done" : "failed");
        return bResult;
    }
    int OnCreate(LPCREATESTRUCT cs) override
    {
        m_order.push_back("OnCreate");
        return CDialog::OnCreate(cs);
    }
};

class DialogTest : public AfxTest {
protected:
    void SetUp() override { ASSERT_TRUE(PlRegisterDialogTemplate(TestModule(), kTemplateId, &kDialog)); }
};

TEST_F(DialogTest, CreatesFromTheTemplateAndBindsControlsInOnInitDialog)
{
    CBoundDialog dlg;
    ASSERT_TRUE(dlg.Create(kTemplateId, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
    EXPECT_EQ(dlg.m_order, (std::vector<std::string>{"OnCreate", "OnInitDialog", "DoDataExchange", "done"}));
    EXPECT_TRUE(dlg.m_bButtonExistedAtInit);
    char caption[32];
    dlg.GetWindowText(caption, sizeof(caption));
    EXPECT_STREQ(caption, "exe dialog");

    // DDX_Control subclassed the template's button into the member.
    ASSERT_NE(dlg.m_button.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_button.m_hWnd, ::GetDlgItem(dlg.m_hWnd, kButtonId));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_button.m_hWnd), &dlg.m_button);
    EXPECT_EQ(dlg.GetDlgItem(kButtonId), &dlg.m_button);

    // Position and size are dialog units of the template's font, each
    // converted on its own.
    CRect units(10, 20, 50, 14);  // x, y, cx, cy
    dlg.MapDialogRect(&units);
    CRect actual;
    dlg.m_button.GetWindowRect(&actual);
    dlg.ScreenToClient(&actual);
    EXPECT_EQ(actual, CRect(units.left, units.top, units.left + units.right, units.top + units.bottom));
    EXPECT_GT(actual.Width(), 50);  // dialog units are not pixels

    // A second exchange keeps the binding.
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_button.m_hWnd), &dlg.m_button);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_button.m_hWnd, nullptr);
}

TEST_F(DialogTest, BindingAMissingControlFailsTheInitialisationCleanly)
{
    CBoundDialog dlg;
    dlg.m_nBindId = 4711;
    ASSERT_TRUE(dlg.Create(kTemplateId, nullptr));
    EXPECT_EQ(dlg.m_order.back(), "failed");
    EXPECT_EQ(dlg.m_button.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_order, (std::vector<std::string>{"OnCreate", "OnInitDialog", "DoDataExchange", "failed"}));
}

TEST_F(DialogTest, AnUnknownTemplateCreatesNothing)
{
    CBoundDialog dlg;
    EXPECT_FALSE(dlg.Create(9999, nullptr));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(dlg.m_order.empty());
}

TEST_F(DialogTest, CancelCommandReachesOnCancel)
{
    struct CCancelDialog : CDialog {
        bool cancelled = false;
        void OnCancel() override
        {
            cancelled = true;
            DestroyWindow();  // modeless: the owner destroys the window
        }
    } dlg;
    ASSERT_TRUE(dlg.Create(kTemplateId, nullptr));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dlg.cancelled);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

// The second module registers a template with the same id and another
// caption; its module state makes its resources the ones searched.
TEST_F(DialogTest, TheModuleStateGuardDecidesWhoseTemplatesAreFound)
{
    void* module = dlopen(AFX_TEST_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto moduleState = reinterpret_cast<AFX_MODULE_STATE* (*)()>(dlsym(module, "AfxTestModuleState"));
    ASSERT_NE(moduleState, nullptr);
    AFX_MODULE_STATE* pModuleState = moduleState();
    AFX_MODULE_STATE* pOwnState = AfxGetStaticModuleState();
    ASSERT_NE(pModuleState, pOwnState);
    EXPECT_EQ(AfxGetModuleState(), pOwnState);  // the executable's is current by default
    EXPECT_NE(pModuleState->m_hCurrentResourceHandle, pOwnState->m_hCurrentResourceHandle);

    char caption[32];
    {
        AFX_MANAGE_STATE(pModuleState);
        EXPECT_EQ(AfxGetResourceHandle(), pModuleState->m_hCurrentResourceHandle);
        CDialog dlg;
        ASSERT_TRUE(dlg.Create(kTemplateId, nullptr));
        dlg.GetWindowText(caption, sizeof(caption));
        EXPECT_STREQ(caption, "module dialog");
        {
            AFX_MANAGE_STATE(pOwnState);  // guards nest
            EXPECT_EQ(AfxGetResourceHandle(), TestModule());
        }
        EXPECT_EQ(AfxGetModuleState(), pModuleState);
        dlg.DestroyWindow();
    }
    EXPECT_EQ(AfxGetModuleState(), pOwnState);
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(kTemplateId, nullptr));
    dlg.GetWindowText(caption, sizeof(caption));
    EXPECT_STREQ(caption, "exe dialog");
    dlg.DestroyWindow();

    // The module's application object joined the module's own state.
    auto moduleApp = reinterpret_cast<CWinApp* (*)()>(dlsym(module, "AfxTestModuleApp"));
    ASSERT_NE(moduleApp, nullptr);
    EXPECT_EQ(pModuleState->m_pCurrentWinApp, moduleApp());
    EXPECT_EQ(moduleApp()->m_hInstance, pModuleState->m_hCurrentInstanceHandle);
    EXPECT_NE(AfxGetApp(), moduleApp());
}

}  // namespace
