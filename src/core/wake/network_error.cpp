#include "wake/network_error.h"

#include "base/message_box.h"

namespace wb {

const char* NetworkErrorText(int code) {
    switch (code) {
        case 10004:
            return "阻止调用被取消.";
        case 10014:
            return "name属性不是用户地址空间的有效组成部分.";
        case 10036:
            return "服务仍在处理一个回调函数.";
        case 10050:
            return "网络错误.";
        case 10093:
            return "Winsock初始化错误.";
        case 11001:
            return "未发现授权应答主机.";
        case 11002:
            return "未发现主机 或 服务器故障.";
        case 11003:
            return "不可恢复的错误.";
        case 11004:
            return "名称有效,但没有数据记录";
        default:
            return "未知错误!!!";
    }
}

void ReportNetworkError(int code, std::string* out) {
    const char* text = NetworkErrorText(code);
    if (out) {
        *out = text;
        return;
    }
    ShowMessageBox(text, MsgButtons::Ok);
}

}  // namespace wb
