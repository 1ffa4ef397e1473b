#include "CRenderEngineHost.h"

#include "CGpuEngine.h"
#include "CGpuFont.h"
#include "ControlMessage.h"
#include "ImageControlLog.h"

namespace {

const QString EngineFailedText = QStringLiteral(
    "建立Direct3D渲染设备失败!\n可能是显卡不支持硬件加速, 请点击选项并切换到别的渲染模式。");
const QString FontFace = QStringLiteral("微软雅黑");
constexpr int LargeFontHeight = 50;
constexpr int SmallFontHeight = 20;

} // namespace

CRenderEngineHost::~CRenderEngineHost()
{
    Release();
}

bool CRenderEngineHost::Create(QWidget* window, QSize clientSize, uint32_t backgroundArgb, int paintMode)
{
    Release();
    engine_ = GpuframeCreateEngine();
    const int modeFlag = paintMode == 1 ? 1 : 0;
    if (!engine_ || engine_->Initialise(window, clientSize.width(), clientSize.height(), backgroundArgb, modeFlag) != 0) {
        if (engine_) {
            qCWarning(lcImageControl) << "rendering engine did not start:" << engine_->LastError();
            GpuframeDestroyEngine(engine_);
            engine_ = nullptr;
        }
        ShowControlMessage(EngineFailedText);
        return false;
    }
    largeFont_ = CreateFont(LargeFontHeight, true);
    smallFont_ = CreateFont(SmallFontHeight, false);
    return true;
}

void CRenderEngineHost::Release()
{
    if (!engine_)
        return;
    // Fonts belong to the engine, so they go before it.
    for (CGpuFont** font : {&largeFont_, &smallFont_}) {
        if (*font)
            engine_->ReleaseObject(*font);
        *font = nullptr;
    }
    GpuframeDestroyEngine(engine_);
    engine_ = nullptr;
}

CGpuEngine* CRenderEngineHost::Engine() const
{
    return engine_;
}

CGpuFont* CRenderEngineHost::LargeFont() const
{
    return largeFont_;
}

CGpuFont* CRenderEngineHost::SmallFont() const
{
    return smallFont_;
}

CGpuFont* CRenderEngineHost::CreateFont(int height, bool italic)
{
    CGpuFont* font = engine_->CreateFont();
    if (font)
        font->Create(height, FontFace, 0, italic ? 1 : 0);
    return font;
}
