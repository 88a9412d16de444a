#include "wake/network_error.h"

#include "base/message_box.h"
#include "base/translate.h"

namespace wb {

namespace {

const char* SourceText(int code) {
    switch (code) {
        case 10004:
            return WB_TR_NOOP("wakeburst", "阻止调用被取消.");
        case 10014:
            return WB_TR_NOOP("wakeburst", "name属性不是用户地址空间的有效组成部分.");
        case 10036:
            return WB_TR_NOOP("wakeburst", "服务仍在处理一个回调函数.");
        case 10050:
            return WB_TR_NOOP("wakeburst", "网络错误.");
        case 10093:
            return WB_TR_NOOP("wakeburst", "Winsock初始化错误.");
        case 11001:
            return WB_TR_NOOP("wakeburst", "未发现授权应答主机.");
        case 11002:
            return WB_TR_NOOP("wakeburst", "未发现主机 或 服务器故障.");
        case 11003:
            return WB_TR_NOOP("wakeburst", "不可恢复的错误.");
        case 11004:
            return WB_TR_NOOP("wakeburst", "名称有效,但没有数据记录");
        default:
            return WB_TR_NOOP("wakeburst", "未知错误!!!");
    }
}

}  // namespace

const char* NetworkErrorText(int code) { return WB_TR("wakeburst", SourceText(code)); }

void ReportNetworkError(int code, std::string* out) {
    const char* text = NetworkErrorText(code);
    if (out) {
        *out = text;
        return;
    }
    ShowMessageBox(text, MsgButtons::Ok);
}

}  // namespace wb
