// The install plan over any script, as the only file of a medium, for a system, a tablet and
// a language taken from the first byte, written out in every form; and the same bytes as a
// program whose version resource the plan reads. No crash, no hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include "kit/checker/install_plan.h"
#include "kit/checker/plan_report.h"
#include "kit/checker/version_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    PlanRequest request;
    const std::vector<WindowsName>& systems = WindowsNames();
    request.machine.osVersionCode = systems[data[0] % systems.size()].osVersionCode;
    request.machine.architecture = (data[0] & 0x10) ? 0 : 9;
    request.deviceType = (data[0] >> 5) % 3;
    if (data[0] & 0x80) request.languageSuffix = ".deu";
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    InstallPlan plan = MakeInstallPlanFromBytes(bytes, request);
    PlanReadable(plan, request);
    PlanExpected(plan, request);
    PlanJson(plan);
    FileVersionText(bytes);
    ReadProductVersionStrings(bytes);
    return 0;
}
