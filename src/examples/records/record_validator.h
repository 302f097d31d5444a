#pragma once
// The one check of an example record and of a trajectory record: the script runs it on what
// it builds, the editing dialog on what the user typed, the diagram reader on what a file held.
// A record that passes can be drawn, compiled, copied and written without any field leading a
// drawer or tool out of its arrays, into a loop without end or into a division by zero.
//
// A failing record gives error 6 ("inconsistent data") and the name of the first field found
// wrong, as the record's member is called ("pen.width", "divisions[1]", "trajectories[2].step").
#include <string>

#include "core/errors.h"
#include "examples/records/example.h"
#include "examples/records/trajectory.h"

namespace quorlin::examples {

struct TRecordFault {
    int error = kNoError;
    std::string field;  // empty when the record is sound

    bool Ok() const { return error == kNoError; }
};

// Mends what a file may hold that this program keeps only in a drawable form: a range end
// left undefined (the range text of the program that wrote the file evaluated to nothing)
// becomes the pair's other end, or both ends 0 — an empty range, drawn as nothing while the
// range text stays undefined. Everything else is left for ValidateExample.
void MendStoredValues(TExample& example);
// The rule of one pair: a non-finite end becomes the other end, or both ends 0.
void MendRangePair(long double& low, long double& high);

// Checks the example that sits (or will sit) at inventory index `index`, with its texts,
// trajectories and marked points.
TRecordFault ValidateExample(const TExample& example, int index);

// The grid counts of a mesh surface fit its point arrays: the first in 1..1500, the second in
// 1..6000, and the mesh rows times (second + 1) at most 6000 points, the rows being first + 1,
// or 2 x first + 3 for a surface of revolution whose ends are bound to parameters.
bool MeshCountsFit(long first, long second, bool boundRevolution);

// Checks one trajectory or sequence record.
TRecordFault ValidateTrajectory(const TTrajectory& trajectory);

}  // namespace quorlin::examples
