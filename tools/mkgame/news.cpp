#include "news.h"

namespace mkgame {

void MORENEWS(std::vector<std::string>& l, int team, int day) {
    const std::string t = std::to_string(team), other = std::to_string(team % 10 + 1);
    l.insert(l.end(), {
        "[4] Pictures",
        "#Hurtin and Bogon",
        "#<H>" + t,
        "The Hurtin of the league",
        "train in the team's colour.",
        "",
        "#<B>" + other,
        "A Bogon in the colour of team " + other + ".",
        "_____________________________",
        "#<S>12",
        "#<M>9",
        "#<E>14",
        "The Eciton stands in front.",
        "#>>",
        "#Shirts and emblems",
        "#<T>" + std::to_string(2 + day % 12),
        "A new shirt for match day " + std::to_string(day) + ".",
        "",
        "",
        "#<W>" + other,
        "The emblem of team " + other + ".",
        "_ends beside the emblem here",
        "#<C>" + std::to_string((day + 4) % 10),
        "Clouds over the stadium.",
        "",
        "#<V>1",
        "The vulture ^circles^ again.",
        "",
        "#<Q>7",
        "An unknown picture shows nothing.",
        "[5] Season-/review",
    });
    for (int i = 1; i <= 30; ++i)
        l.push_back(i == 1 ? "#A long look back" : "Line " + std::to_string(i) + (i % 7 == 0 ? " with ^news^" : ""));
}

}  // namespace mkgame
