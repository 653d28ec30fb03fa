#pragma once

#include <memory>
#include <string>
#include <vector>

/// One sample of a path: a point of the drawing plane and the time it was reached.
/// The plane is the drawing tool's drawing area (DrawingFrame): x to the right, y downward, origin top-left.
struct PositionKey
{
    float px;    ///< x in drawing-area pixels
    float py;    ///< y in drawing-area pixels (downward)
    double time; ///< milliseconds since the first sample of the stroke
};

/// One heading sample. Nothing in the programs produces or consumes yaw keys; the track is kept for the file format.
struct YawKey
{
    float yaw;
    double time; ///< milliseconds, as in PositionKey
};

/// A named path through the drawing plane: a position track kept in ascending time without duplicate times,
/// and a yaw track kept in the order given. A plain value type: a copy behaves as a deep copy. Copies share one
/// position track until one of them changes its keys, which then gets keys of its own first: keys that more than
/// one holder shares are never changed, so copying a long path costs nothing.
class Trajectory
{
public:
    /// Empties the name and both tracks.
    void clear();

    /// Inserts a key before the first key with a later time, or overwrites the position of a key with the
    /// same time (keeping that key's time). Keys arriving in ascending time are appended in constant time.
    void addPositionKey(const PositionKey& key);

    /// Same result as calling addPositionKey for each key in turn, but in O(n log n) whatever their order.
    void addPositionKeys(const std::vector<PositionKey>& keys);

    /// Appends a heading sample.
    void addYawKey(const YawKey& key);

    /// Position at time t, interpolated between the surrounding keys. Returns false once t lies beyond the
    /// last key (x, y then hold the last key's position) and for an empty track (x, y untouched).
    bool positionAt(double t, float& x, float& y) const;

    /// Shifts every position key by (dx, dy); times are untouched.
    void translatePositions(float dx, float dy);

    /// Turns every position key about (cx, cy). With y pointing down, a positive angle turns clockwise on screen.
    void rotatePositions(float angleDegrees, float cx, float cy);

    const std::vector<PositionKey>& getTrackPos() const;
    /// The position keys, held from now on by the caller too: they stay as they are and alive for as long as the
    /// caller keeps them, whatever becomes of this trajectory.
    std::shared_ptr<const std::vector<PositionKey>> shareTrackPos() const;
    const std::vector<YawKey>& getTrackYaw() const { return trackYaw; }
    const std::string& getName() const { return name; }
    void setName(const std::string& newName) { name = newName; }

private:
    void insertByWalk(const PositionKey& key);
    /// The position keys, made this trajectory's own first when others hold them too.
    std::vector<PositionKey>& ownTrackPos();

    std::shared_ptr<std::vector<PositionKey>> sharedTrackPos; // null while there are no keys
    std::vector<YawKey> trackYaw;
    std::string name;
};
