#include "projectreport.h"

namespace kvor {

ProjectReport::ProjectReport(ChamberEvaluator &evaluator)
    : m_evaluator(evaluator)
{
}

} // namespace kvor
