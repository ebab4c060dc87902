#include "../PaintDC.h"

#include "../Dialog.h"
#include "Windows.h"

struct CPaintDC::State {
    PAINTSTRUCT paint;
    HDC hDC;
};

CPaintDC::CPaintDC(CDialog* pWnd) : m_pWnd(pWnd), m_pState(std::make_unique<State>())
{
    m_pState->hDC = ::BeginPaint(m_pWnd->GetSafeHwnd(), &m_pState->paint);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_pWnd->GetSafeHwnd(), &m_pState->paint);
}

void CPaintDC::IconEraseBackground()
{
    ::SendMessageA(m_pWnd->GetSafeHwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(m_pState->hDC), 0);
}

void CPaintDC::DrawIcon(int x, int y, HICON hIcon)
{
    ::DrawIcon(m_pState->hDC, x, y, hIcon);
}

CSize GetSystemIconSize()
{
    return CSize{::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
}
