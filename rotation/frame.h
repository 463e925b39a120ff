// The rotation engine's shared arithmetic: the frame probe, the alignment
// angles, the elementary rotations, the Euler-angle extraction and the
// finite-angle guard.
//
// Conventions, stated once for every command built on them:
// - Angles are degrees.  Sines, cosines and arctangents come from the host
//   (SinFF, CosFF, Atan2FFF with the ordinate first); an elementary rotation
//   asks the host for its sine, then its cosine, once, and is then applied to
//   as many vectors as needed.
// - The elementary rotations, with s = sin t and c = cos t:
//     Rx(t): (x, y, z) -> (x, c·y − s·z, s·y + c·z)
//     Ry(t): (x, y, z) -> (c·x + s·z, y, c·z − s·x)
//     Rz(t): (x, y, z) -> (c·x − s·y, s·x + c·y, z)
//   An object with Euler angles (X, Y, Z) has the orientation
//   R = Rz(Z)·Ry(Y)·Rx(X); its right axis is R·(1,0,0) and its forward axis
//   R·(0,0,1).  Right and forward alone fix the orientation.
// - Every intermediate is stored as a 32-bit float: each difference, each
//   two-term sum of products, each angle.
#pragma once
#include "../plugin/fmath.h"

namespace rotation {

enum class Axis { X, Y, Z };

// An elementary rotation about a world axis, with its sine and cosine.
struct Turn {
  Axis axis;
  float s, c;
};

// The object's own right and forward axes in world coordinates.
struct Frame {
  Vec3 right, forward;
};

struct EulerAngles {
  float x, y, z;
};

// The world turned so that a given axis direction becomes +Z:
// Rx(alpha) first, then Ry(-beta).
struct Alignment {
  float alpha, beta;
  Turn onto_xz;  // Rx(alpha): the axis into the XZ plane
  Turn onto_z;   // Ry(-beta): the axis onto +Z
};

// The rotation by an angle about an axis direction, as five elementary
// rotations: into the axis frame, the turn about +Z, and back.
struct AxisRotation {
  Turn steps[5];
};

float atan2_degrees(float ordinate, float abscissa);  // the host's Atan2FFF

Turn turn(Axis axis, float degrees);  // asks the host for sin, then cos
Vec3 apply(const Turn& turn, Vec3 v);
// Turns each of the vectors (two or three), step by step, so that each
// step's sine and cosine are taken up once for all of them.
template <int count>
void apply(const AxisRotation& rotation, Vec3 (&vectors)[count]);

Alignment align_to_z(Vec3 axis);
Vec3 into_axis_frame(const Alignment& alignment, Vec3 v);
AxisRotation axis_rotation(Vec3 axis, float degrees);

// Frame probe: each sample moves the object one unit along its own axis,
// reads the position and moves it back; the sample is the difference to the
// start position.
Vec3 sample_right(int object, Vec3 start);
Vec3 sample_up(int object, Vec3 start);
Vec3 sample_forward(int object, Vec3 start);
Frame probe_frame(int object);  // start position, right sample, forward sample

// Inverts R = Rz(Z)·Ry(Y)·Rx(X) from the right and forward axes: X in 0..360,
// Y in −90..90, Z in −180..180.
EulerAngles euler_angles(const Frame& frame);

// True when each angle is a finite number (value + 1 > value).
bool finite_angles(const EulerAngles& angles);

// Extraction, guard and the host's absolute Rotate: the object takes the
// orientation whose axes are `frame`, unless an angle is not finite.
void set_orientation(int object, const Frame& frame);

}  // namespace rotation
