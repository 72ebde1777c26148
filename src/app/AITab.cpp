#include "app/AITab.hpp"

#include <functional>

namespace corvina {

const std::string& AITab::displayName(AppLanguage language) const {
    switch (language) {
        case AppLanguage::zhCN: return zhCNName;
        case AppLanguage::zhTW: return zhTWName;
        case AppLanguage::en: break;
    }
    return enName;
}

bool AITab::iconIsSymbol() const {
    return icon.find('.') != std::string::npos && icon.find('/') == std::string::npos;
}

const std::vector<AITab>& builtInTabs() {
    static const std::vector<AITab> tabs = {
        {"doubao", "https://www.doubao.com/chat/", "豆包", "豆包", "Doubao", "Doubao"},
        {"qianwen", "https://www.qianwen.com/", "千问", "千問", "Qianwen", "Qianwen"},
        {"deepseek", "https://chat.deepseek.com/", "DeepSeek", "DeepSeek", "DeepSeek", "DeepSeek"},
        {"xinghuo", "https://xinghuo.xfyun.cn/desk", "讯飞星火", "訊飛星火", "Spark", "Xinghuo"},
        {"wenxin", "https://yiyan.baidu.com/", "文心", "文心", "Wenxin", "Wenxin"},
        {"hunyuan", "https://hunyuan.tencent.com/", "腾讯混元", "騰訊混元", "Hunyuan", "Hunyuan"},
        {"yuanbao", "https://yuanbao.tencent.com/chat", "腾讯元宝", "騰訊元寶", "Yuanbao", "Yuanbao"},
        {"metaso", "https://metaso.cn/", "秘塔 AI", "秘塔 AI", "MetaSo", "MetaSo"},
        {"chatglm", "https://chatglm.cn/", "智谱清言", "智譜清言", "ChatGLM", "ChatGLM"},
        {"kimi", "https://www.kimi.com/", "Kimi", "Kimi", "Kimi", "Kimi"},
        {"shangliang", "https://chat.sensetime.com/", "商量", "商量", "SenseChat", "Shangliang"},
        {"duckai", "https://duck.ai/", "Duck.ai", "Duck.ai", "Duck.ai", "DuckAI"},
        {"xiaoyi", "https://xiaoyi.huawei.com/chat/", "华为小艺", "華為小藝", "Xiaoyi", "Xiaoyi"},
        {"hailuo", "https://hailuoai.com/", "海螺AI", "海螺AI", "Hailuo AI", "Hailuo"},
        {"wenxiaobai", "https://www.wenxiaobai.com/", "问小白", "問小白", "Wenxiaobai", "Wenxiaobai"},
        {"zai", "https://chat.z.ai/", "Z.ai", "Z.ai", "Z.ai", "Zai"},
        {"miaoda", "https://www.miaoda.cn/", "秒哒", "秒哒", "Miaoda", "Miaoda"},
        {"baixiaoyi", "https://baixiaoyi.baidu.com/", "百小医", "百小醫", "Baixiaoyi", "Baixiaoyi"},
    };
    return tabs;
}

const AITab* findBuiltInTab(const std::string& id) {
    for (const auto& tab : builtInTabs())
        if (tab.id == id) return &tab;
    return nullptr;
}

}  // namespace corvina

size_t std::hash<corvina::AITab>::operator()(const corvina::AITab& tab) const noexcept {
    size_t seed = 0;
    for (const auto* field : {&tab.id, &tab.url, &tab.zhCNName, &tab.zhTWName, &tab.enName, &tab.icon})
        seed ^= std::hash<std::string>{}(*field) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    return seed;
}
