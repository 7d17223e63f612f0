#include "ui/ErrorReport.h"

#include "dataset/Errors.h"
#include "text/Gbk.h"
#include "ui/ModalUi.h"

#include <QCoreApplication>

namespace torvik::ui {

QString exceptionMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const dataset::EDatasetLayerError &e) {
        return text::fromGbk(e.message());
    } catch (const text::GbkEncodingError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QCoreApplication::translate("torvik", "未知错误");
    }
}

void showException(std::exception_ptr error)
{
    MessageRequest request;
    request.caption = QCoreApplication::applicationName();
    request.text = exceptionMessage(error);
    request.icon = MessageIcon::Error;
    request.buttons = MessageButtons::Ok;
    modalUi().message(request);
}

} // namespace torvik::ui
