#pragma once
// What the fire-control chart plots: the own boat, each of its contacts (by designation number)
// and the entities the operator follows (his weapons in flight, missiles), each an item kept by
// its kind and number, so that contact 7 and entity 7 are two items. Every 400 ms the plot
// moves the items, adds new contacts, and drops what was not seen.

#include "tactical/charts/chart_item.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace q71 {

class Entity;
struct ContactRecord;

enum class FirePlotKind { ownBoat, contact, entity };

class FireContact : public ChartItem {
public:
    /// At a world position with the number of the launcher that fired it (-1 none), on the chart.
    FireContact(FirePlotKind kind, std::int32_t id, int launcherLabel, double worldX, double worldY,
                ChartView* chart);

    /// Draws the item and keeps its box around what it drew.
    void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record) override;
    /// Moves to a world position with a box around what it draws there, so that the chart repaints
    /// all it drew before (a torpedo's cone too) and all it draws now.
    void follow(double worldX, double worldY);

    FirePlotKind kind() const { return kind_; }
    std::int32_t id() const { return id_; }
    double stamp = 0.0;    ///< game time of the last update that saw it
    bool selected = false; ///< the contact the readouts show
    int label = -1;        ///< the number of the launcher that fired it, -1 none

private:
    struct Symbol;
    /// The symbol the item shows now; not shown when its entity or contact is gone.
    Symbol symbol() const;
    /// The grid points where the lines of a guided torpedo's seeker cone, drawn from a world
    /// position, end; none without a cone (a line whose end lies off the grid is left out).
    std::vector<std::pair<double, double>> coneEnds(const Symbol& symbol, double worldX, double worldY) const;
    /// The seeker's cone: lines from the item's point (at pixel x, y) to their ends.
    void drawCone(DeviceContext& dc, ChartView& view, const Symbol& symbol,
                  const std::vector<std::pair<double, double>>& ends, int x, int y) const;
    /// What the item draws at a world position: its symbol and launcher number (pixel offsets)
    /// and the cone's lines (grid offsets).
    ChartViewRecord drawnBox(const Symbol& symbol, double worldX, double worldY) const;

    FirePlotKind kind_;
    std::int32_t id_;
};

/// Whether the plot follows an entity: the own boat, own-side weapons, missiles other than type
/// 6, and own-side entities of type 10 or 6.
bool firePlotIncludes(const Entity& entity, std::int32_t ownSide);

class FirePlot {
public:
    explicit FirePlot(ChartView* chart) : chart_(chart) {}

    /// Items for the own boat, its contacts and the entities the plot follows, stamped `now`.
    void build(double now);
    /// Moves the items, adds new contacts, drops every item other than the own boat's not seen now.
    void update(double now);

    /// A contact of the own boat that just came: an item at its bearing and range.
    void addContact(const ContactRecord& contact, double now);
    /// An entity that just entered the world: an item when the plot follows it.
    void addEntity(const Entity& entity, double now);
    /// Drops the item of a contact's designation number, or of an entity (the own boat's too).
    void removeContact(std::int32_t number);
    void removeEntity(std::int32_t id);
    /// Marks the item of that designation number selected and every other not (0: none).
    void markSelected(std::int32_t number);

    FireContact* find(FirePlotKind kind, std::int32_t id) const;
    const std::vector<std::unique_ptr<FireContact>>& items() const { return items_; }

private:
    FireContact& add(FirePlotKind kind, std::int32_t id, int label, double worldX, double worldY, double now);
    void refreshContacts(double now);

    ChartView* chart_;
    std::vector<std::unique_ptr<FireContact>> items_;
};

/// The number of the launcher whose weapon an entity is, or -1.
int fireLauncherOf(const Entity& entity);

/// Whether a torpedo still takes orders over the wire of the tube that launched it: that tube
/// still holds it and its guidance still hears the wire.
bool fireGuidedByWire(const Entity& entity);

} // namespace q71
