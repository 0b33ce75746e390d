#pragma once
// A plan written out: for a person, grouped by what the install does; as lines in the format
// of the sample kit's expected results (which tools/kit_check reads: comments, folder
// definitions, then "kind | component | where | what | after uninstall" lines); or as JSON.
#include <string>
#include "kit/checker/install_plan.h"

std::string PlanReadable(const InstallPlan& plan, const PlanRequest& request);
std::string PlanExpected(const InstallPlan& plan, const PlanRequest& request);
std::string PlanJson(const InstallPlan& plan);
