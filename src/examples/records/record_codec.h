#pragma once
// Byte codecs of the records a diagram file stores for its examples: the 547-byte example
// record, the 95 file bytes of a trajectory, the 78-byte marked point and the 26-byte sketch
// record, with the lists that carry them (trajectories with their start-value texts, marked
// points, the sketch).
//
// Every field is written at its offset, little-endian, long doubles in 10 bytes; the bytes that
// held pointers in memory are written as zeros and skipped on reading. Readers refuse short
// input and counts that the bytes left cannot hold before they allocate anything; they do not
// judge the values (ValidateExample in record_validator.h does).
#include <cstddef>

#include "core/binio.h"
#include "examples/records/example.h"
#include "examples/records/sketch.h"
#include "examples/records/trajectory.h"

namespace quorlin::examples {

inline constexpr std::size_t kExampleRecordBytes = 547;
inline constexpr std::size_t kTrajectoryRecordBytes = 95;
inline constexpr std::size_t kMarkedPointBytes = 78;
inline constexpr std::size_t kSketchPointBytes = 26;
// A file keeps an example's family mark by adding this to its colour word.
inline constexpr int kFamilyMarkColourOffset = 1000;

// --- the example record ---

void WriteExampleRecord(ByteWriter& out, const TExample& example, bool familyMark);
// Reads one record and prepares it as a freshly read example: the family mark taken from the
// colour word (above 999: set, colour mod 1000), empty texts, no trees, trajectories or marked
// points, and, in files before version 11, the restrict byte of 204 and 305 cleared. The
// per-kind arrays are left empty: a reader weighs what the records ask (ArraySizes) before it
// gives them (ReshapeArrays). False, example unchanged, when short.
bool ReadExampleRecord(ByteReader& in, int fileVersion, TExample& example, bool& familyMark);

// --- trajectories and marked points ---

// The 95 file bytes (no texts).
void WriteTrajectoryRecord(ByteWriter& out, const TTrajectory& trajectory);
// A fresh record from 95 bytes: no texts, no trees. False when short.
bool ReadTrajectoryRecord(ByteReader& in, TTrajectory& trajectory);

void WriteMarkedPoint(ByteWriter& out, const TMarkedPoint& point);
// False when short; the label is cut to 29 characters.
bool ReadMarkedPoint(ByteReader& in, TMarkedPoint& point);

// The buffer a reader gives each start-value text of a trajectory of the kind: 20000 bytes for
// the initial values of a derx(n,y) trajectory (kind 220), a list that may run long; 256 for
// the formula texts of kinds above 1000.
inline constexpr std::size_t kInitialValuesCapacity = 20000;
std::size_t StartTextCapacity(int trajectoryKind);

// u16 count, then per trajectory its 95 bytes followed by its start-value texts as strings: the
// first for kind 220, all four for kinds above 1000, each cut to what its reader's buffer
// holds (StartTextCapacity). At most 65535 trajectories are written.
void WriteTrajectoryList(ByteWriter& out, const TrajectoryList& list);
// Replaces list on success: 0, or kErrCannotOpenFile for a short or damaged block.
int ReadTrajectoryList(ByteReader& in, TrajectoryList& list);

// u16 count, then the 78-byte records.
void WriteMarkedPointList(ByteWriter& out, const MarkedPointList& list);
int ReadMarkedPointList(ByteReader& in, MarkedPointList& list);

// --- the sketch ---

void WriteSketchPoint(ByteWriter& out, const TSketchPoint& point);
// False when short or when the type is not 0, 1 or 2.
bool ReadSketchPoint(ByteReader& in, TSketchPoint& point);

// i32 count, then the 26-byte records in list order.
void WriteSketchList(ByteWriter& out, const SketchList& list);
// Replaces list on success: 0, or kErrCannotOpenFile for a negative or too large count, a
// damaged record, or a list that does not begin with a stroke head.
int ReadSketchList(ByteReader& in, SketchList& list);

}  // namespace quorlin::examples
