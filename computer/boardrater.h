#pragma once
// The evaluation terms: each looks at one aspect of a position and answers one number for a colour,
// already weighted from its configuration. Positive favours the colour asked about. Terms are pure:
// they never change the board and keep no state between calls.
#include "computer/configuration.h"
#include "computer/position.h"
#include "rules/board.h"
#include "rules/color.h"

namespace zarvik {

// The base of the nine terms. `ratingFor` is the one operation; a subclass supplies `rate`.
class BoardRater {
  public:
    BoardRater(AIConfiguration configuration, ConfigurationValue AIConfiguration::*weighting)
        : configuration_(configuration), weighting_(weighting) {}
    BoardRater(const BoardRater&) = delete;
    BoardRater& operator=(const BoardRater&) = delete;
    virtual ~BoardRater() = default;

    double ratingFor(const Board& board, Color color) const { return rate(RatedPosition(board), color); }
    // The same for a position already analysed (the computer player shares one analysis among terms).
    double ratingFor(const RatedPosition& position, Color color) const { return rate(position, color); }

    // The effective weighting this term reads.
    double weighting() const { return (configuration_.*weighting_).value(); }
    const AIConfiguration& configuration() const { return configuration_; }

  protected:
    // A term without its own rule is an internal error.
    virtual double rate(const RatedPosition& position, Color color) const;

  private:
    AIConfiguration configuration_;
    ConfigurationValue AIConfiguration::*weighting_;
};

// Material balance.
class BoardRaterCountPieces : public BoardRater {
  public:
    explicit BoardRaterCountPieces(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterCountPiecesWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Mobility balance by raw movement rules.
class BoardRaterBoardDominance : public BoardRater {
  public:
    explicit BoardRaterBoardDominance(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterBoardDominanceWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Placement of the pieces towards the centre.
class BoardRaterCenterOwnership : public BoardRater {
  public:
    explicit BoardRaterCenterOwnership(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterCenterOwnershipWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Reach of the pieces (own square included) weighted by centrality.
class BoardRaterCenterDominance : public BoardRater {
  public:
    explicit BoardRaterCenterDominance(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterCenterDominanceWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Threats against the own pieces and by them.
class BoardRaterThreatenedPieces : public BoardRater {
  public:
    explicit BoardRaterThreatenedPieces(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterThreatenedPiecesWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Advance of the pawns; the weighting is applied per pawn.
class BoardRaterPawnProgression : public BoardRater {
  public:
    explicit BoardRaterPawnProgression(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterPawnProgressionWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Control of the squares next to both kings. Needs both kings on the board.
class BoardRaterKingSurroundingPossession : public BoardRater {
  public:
    explicit BoardRaterKingSurroundingPossession(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterKingSurroundingPossessionWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Mates in one for either side, by raw movement rules.
class BoardRaterCheckMateOpportunity : public BoardRater {
  public:
    explicit BoardRaterCheckMateOpportunity(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterCheckMateOpportunityWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

// Occupation of e5, e4, d4 and d5.
class BoardRaterCenterFourOccupation : public BoardRater {
  public:
    explicit BoardRaterCenterFourOccupation(AIConfiguration configuration)
        : BoardRater(configuration, &AIConfiguration::boardRaterCenterFourOccupationWeighting) {}

  protected:
    double rate(const RatedPosition& position, Color color) const override;
};

}  // namespace zarvik
