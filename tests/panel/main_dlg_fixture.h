#pragma once

#include "config/rules.h"
#include "fake_main_dlg_view.h"
#include "panel/main_dlg_logic.h"
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
        ASSERT_EQ(logic.Initialise(), 0u);
        view.messages.clear();
    }
    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            logic.OnTimer(CMainDlgLogic::kTimerId);
        }
    }

    TempFolder folder;
    std::string settingsPath = folder.File("Settings.ini");
    ::testing::NiceMock<ScmDouble> scm;
    FakeMainDlgView view;
    CMainDlgLogic logic{view, view, scm, settingsPath};
};
