#include "vettle/CDetectRunState.h"

#include "vettle/DetectTamper.h"

namespace vettle {

CDetectRunState::~CDetectRunState()
{
    Wait();
}

void CDetectRunState::PrepareRun()
{
    running_.store(1);
    cancel_.store(0);
    progress_.store(0.0);
    verdict_ = DetectVerdict::None;
}

void CDetectRunState::Start()
{
    Wait();
    PrepareRun();
    worker_ = std::thread([this] { DetectTamper(this); });
}

void CDetectRunState::Wait()
{
    if (worker_.joinable()) worker_.join();
}

void CDetectRunState::Finish(DetectVerdict verdict)
{
    verdict_ = verdict;
    running_.store(0);
}

}  // namespace vettle
