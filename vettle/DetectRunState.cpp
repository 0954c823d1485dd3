#include "vettle/DetectRunState.h"

#include "vettle/DetectTamper.h"

namespace vettle {

DetectRunState::~DetectRunState()
{
    Wait();
}

void DetectRunState::PrepareRun()
{
    running_.store(1);
    cancel_.store(0);
    progress_.store(0.0);
    verdict_ = DetectVerdict::None;
    reportedLine_ = 0;
}

void DetectRunState::Start()
{
    Wait();
    PrepareRun();
    worker_ = std::thread([this] { DetectTamper(this); });
}

void DetectRunState::Wait()
{
    if (worker_.joinable()) worker_.join();
}

void DetectRunState::Finish(DetectVerdict verdict)
{
    verdict_ = verdict;
    running_.store(0);
}

}  // namespace vettle
