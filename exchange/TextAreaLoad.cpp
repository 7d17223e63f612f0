#include "exchange/TextAreaLoad.h"

#include "dataset/Errors.h"
#include "exchange/LinesEdit.h"
#include "exchange/TextFileLines.h"
#include "ui/ModalUi.h"

namespace torvik::exchange {

namespace {

void refuse(TLinesEdit &area, const QString &text)
{
    ui::modalUi().message(
        {area.window(), QStringLiteral("错误"), text, ui::MessageIcon::Error, ui::MessageButtons::Ok});
}

} // namespace

void loadExportedText(TLinesEdit &area, const QString &path)
{
    std::string bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const dataset::EDatabaseError &e) {
        refuse(area, text::fromGbk(e.message()));
        return;
    }
    int badLine = 0;
    std::optional<TextAreaLines> lines = TextAreaLines::fromExportedBytes(std::move(bytes), &badLine);
    if (!lines) {
        refuse(area, QStringLiteral("文件“%1”的第%2行不是有效的GBK文本，无法导入。").arg(path).arg(badLine));
        return;
    }
    area.setLines(std::move(*lines));
}

} // namespace torvik::exchange
