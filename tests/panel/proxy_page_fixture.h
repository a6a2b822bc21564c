#pragma once

#include "config/rules.h"
#include "fake_proxy_view.h"
#include "panel/proxy_page_logic.h"
#include "tests/support/make_rule.h"
#include "tests/support/scm_double.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

// A Proxy page over a real settings file in a temporary folder, a fake window and
// the real service controller over a scripted SCM.
class ProxyPageTest : public ::testing::Test {
protected:
    void SetUp() override { view.logic = &logic; }

    void SaveToFile(std::initializer_list<CRule> rules) {
        CRules list;
        list.assign(rules);
        ASSERT_EQ(list.Save(settingsPath), 0u);
    }
    CRules LoadFromFile() const {
        CRules list;
        list.Load(settingsPath);
        return list;
    }
    void Initialise(std::uint32_t serviceState = ScmDouble::kStopped) {
        scm.state = serviceState;
        ASSERT_TRUE(logic.Initialise());
        view.messages.clear();
    }
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            logic.OnTimer(CProxyPageLogic::kTimerId);
        }
    }

    TempFolder folder;
    std::string settingsPath = folder.File("Settings.ini");
    ::testing::NiceMock<ScmDouble> scm;
    FakeProxyView view;
    CProxyPageLogic logic{view, view, scm, settingsPath};
};
