#pragma once
#include "app/AppLanguage.hpp"

namespace corvina {

// The titles of what can be done with an ask's answers, wherever they are offered.
constexpr LocalizedText copyAllAnswersTitle{"Copy All Answers", "複製全部回答", "复制全部回答"};
constexpr LocalizedText saveAllAnswersTitle{"Save All Answers…", "儲存全部回答…", "保存全部回答…"};
constexpr LocalizedText compareAnswersTitle{"Compare Answers", "比較回答", "比较回答"};
constexpr LocalizedText continueWithBestTitle{"Continue with the Best", "繼續問最佳者", "继续问最佳者"};
constexpr LocalizedText nameServicesTitle{"Name the services", "標明服務名稱", "标明服务名称"};

}  // namespace corvina
