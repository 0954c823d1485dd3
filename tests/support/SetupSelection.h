#pragma once
// The alarm setup selection of a test: answers with a setup file and a
// generator version (2 unless told), and asks for no time zone.

#include <string>

#include "logora/engine/document/DocumentDialogs.h"

namespace testsupport {

class SetupSelection : public logora::DocumentDialogs
{
public:
    explicit SetupSelection(std::string setup, int version = 2) : setup_(std::move(setup)), version_(version)
    {}
    bool ChooseTimeZone(int&) override { return false; }
    void SelectAlarmSetup(const std::string&, std::string& setupPath, int& version) override
    {
        setupPath = setup_;
        version = version_;
    }

private:
    std::string setup_;
    int version_;
};

}  // namespace testsupport
