#!/usr/bin/env python3
"""Makes a speech test corpus with espeak-ng.

Writes, into the output folder:
  grammar_<N>.xml   command grammars of N catalogue-like phrases (or, with
                    --grammar, the phrases of a shipped grammar file)
  clips/*.wav       spoken phrases of the smallest grammar and sentences that
                    are no command, in several voices and speeds
  manifest.tsv      clip file, expected phrase (empty: must be rejected),
                    voice, speed, part ("tune" or "test": settings are chosen
                    on one part and reported on the other; the two parts share
                    neither a voice nor a text), voice group ("mainstream" or
                    "other"), condition ("clean")
  bookmarks.txt     bookmark titles, one a line: what a bookmark search knows
  dictation.tsv     dictated search words: clip file, words said, road
                    ("bookmark": one or two words of a title; "zip": five
                    digits; "city": a state or city; "web": a free web
                    search), voice, speed, part, group
"""
import argparse
import hashlib
import os
import random
import re
import subprocess
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

NAMES = """amazon google youtube facebook ebay wikipedia weather yahoo netflix twitter
craigslist paypal target walmart bestbuy expedia travelocity orbitz hotmail gmail
linkedin pandora spotify hulu espn cnn fox abc nbc cbs npr bbc reuters bloomberg
forbes fortune time newsweek people vogue wired engadget gizmodo mashable reddit
digg slashdot flickr picasa photobucket imdb rottentomatoes fandango ticketmaster
zillow realtor monster careerbuilder indeed dictionary thesaurus encyclopedia
mapquest maps yelp citysearch zagat epicurious allrecipes foodnetwork starbucks
dominos pizzahut mcdonalds subway southwest delta united continental american
hertz avis enterprise marriott hilton hyatt sheraton kayak priceline hotwire
costco sears kmart macys nordstrom gap oldnavy apple microsoft adobe intel dell
sony samsung nokia motorola verizon sprint comcast netzero aol msn bing ask
lycos excite answers wikihow howstuffworks nasa noaa irs fedex ups usps dhl
nascar nfl nba mlb nhl fifa olympics golf tennis soccer baseball football hockey
basketball boxing poker chess lottery horoscope astrology recipes coupons deals
""".split()

TOPICS = """news weather sports videos music photos games deals reviews jobs maps
movies books recipes travel hotels flights shopping finance stocks health
""".split()

VERBS = ["open", "go to", "show me", "search", "find", "look up", "check"]

SENTENCES = """I think it might rain later this afternoon
could you pass me the salt please
my brother is coming over for dinner on friday
the meeting has been moved to next tuesday morning
we should paint the kitchen a lighter colour
she left her umbrella on the train again
how long does it take to drive to the coast
the children are playing in the garden
remember to buy milk and bread on the way home
that was the best concert I have ever been to
the cat is sleeping on the warm windowsill
let us take the dog for a long walk
I can not find my car keys anywhere
the library closes early on sundays
he spent the whole weekend fixing the fence
our neighbours just got a new puppy
please turn the heating down a little
this soup needs a bit more pepper
the train was delayed by twenty minutes
I would like a cup of tea with lemon
the garden looks lovely in the spring
they are building a new bridge over the river
we watched the sunset from the hill
my grandmother makes wonderful apple pie
the printer on the second floor is broken again
do you know what time the bank opens
it is far too cold to go swimming today
the old house at the end of the street was sold
I forgot to water the plants yesterday
could we have the bill please
the bus stop is just around the corner
I need to call the dentist tomorrow
we are going camping in the mountains next month
the baby finally fell asleep after lunch
can you help me carry these boxes upstairs
the coffee machine in the office is empty
she plays the piano every evening after work
the roads are icy so drive carefully
my phone battery is almost dead
we ran out of sugar this morning
the football match starts at three o clock
I left the window open all night
he is learning to speak spanish
the shop on the corner sells fresh flowers
there is a spider in the bathroom
the tickets for the show sold out quickly
we had pancakes for breakfast on sunday
the lake was calm and very quiet
the doctor said I should rest for a week
can you remind me to send that letter
the new restaurant downtown is very popular
my sister moved to a small town near the sea
the lights in the hallway keep flickering
we planted tomatoes and beans this year
the museum has a new exhibition about ships
I am not sure where I put my glasses
the wind blew the leaves across the yard
our flight leaves early on monday
the kettle is boiling so make the tea
she painted a picture of the harbour
""".strip().splitlines()

# (voice, speed, group, part): no voice speaks in both parts, so settings
# chosen on the tune part are reported on speakers they never heard. Each
# part has its own regional voices (Lancaster and Caribbean English on one,
# West Midlands and New York on the other).
VOICES = [("en-us", 160, "mainstream", "test"), ("en-us", 185, "mainstream", "test"),
          ("en-gb", 160, "mainstream", "test"), ("en-gb", 185, "mainstream", "test"),
          ("en-us+f3", 170, "other", "test"), ("en-gb-x-rp", 170, "other", "test"),
          ("en-gb-x-gbclan", 165, "other", "test"), ("en-029", 165, "other", "test"),
          ("en-us+m3", 165, "mainstream", "tune"), ("en-us+m3", 190, "mainstream", "tune"),
          ("en-gb+m3", 165, "mainstream", "tune"), ("en-gb+m3", 190, "mainstream", "tune"),
          ("en-us+f2", 170, "other", "tune"), ("en-gb-scotland", 170, "other", "tune"),
          ("en-gb-x-gbcwmd", 165, "other", "tune"), ("en-us-nyc", 165, "other", "tune")]

BOOKMARKS = """BBC News - Home
The Weather Channel - Local Forecast
Allrecipes - Easy Dinner Recipes
Stack Overflow - Programming Questions
GitHub - Project Repositories
Amazon Shopping Cart
Gmail Inbox
Google Maps Directions
Wikipedia - The Free Encyclopedia
YouTube Subscriptions
Netflix - Watch TV Shows Online
National Geographic - Wildlife Photography
Guardian Football Results
ESPN Basketball Scores
Yahoo Finance - Stock Market Quotes
City Library Catalogue
School Lunch Menu
Garden Centre Opening Hours
Marathon Training Plan
Vegetarian Curry Recipe
Chocolate Brownie Recipe
Bicycle Repair Manual
Camping Checklist
Mortgage Calculator
Holiday Cottage Booking
Train Timetable
Airport Parking
Dentist Appointment
Pharmacy Prescriptions
Knitting Patterns for Beginners
Guitar Chords and Tabs
Piano Lessons Online
Astronomy Picture of the Day
Museum Exhibitions
Theatre Tickets
Cinema Listings
Pottery Classes Downtown
Yoga for Back Pain
Home Insurance Renewal
Electricity Bill Payment
Council Tax Account
Recycling Collection Days
Bird Watching Journal
Fishing Licence Application
Tennis Club Membership
Swimming Pool Timetable
Crossword Puzzle Archive
Chess Openings Explained
Photography Tips for Sunsets
Woodworking Projects
Houseplant Care Guide
Dog Training Videos
Veterinary Clinic
Children's Story Books
Spanish Vocabulary Practice
Italian Cooking Class
Volunteer Opportunities
Charity Donations
Wedding Planning Checklist
Birthday Gift Ideas
""".strip().splitlines()

WEB_SEARCHES = """cheap flights to rome
chocolate cake recipe
weather this weekend
how to tie a tie
best pizza near me
football scores today
used cars for sale
learn to play guitar
symptoms of the flu
movie times tonight
hotels in paris
banana bread
cheap train tickets
history of the roman empire
how tall is mount everest
lemon chicken dinner
running shoes for women
garden furniture sale
news about the election
tomato soup recipe
""".strip().splitlines()

DIGITS = ["zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
STOPWORDS = {"the", "and", "for", "of", "to", "a", "in", "on", "with", "online"}


def title_words(title):
    return [w for w in re.findall(r"[a-z']+", title.lower()) if w not in STOPWORDS and len(w) > 2]


# Places said to a city dictation: states and cities the program knows
# (src/speech/location_vocabulary.cpp), with and without the state.
PLACES = """ohio
texas
oregon
new jersey
north carolina
massachusetts
kentucky
colorado
boston
chicago
denver
seattle
houston
phoenix
atlanta
miami
portland oregon
austin texas
salt lake city
san francisco
kansas city
new orleans
las vegas
saint louis
baltimore maryland
nashville tennessee
milwaukee
minneapolis
sacramento
pittsburgh
cleveland ohio
albuquerque
""".strip().splitlines()


def catalogue_phrases(count):
    phrases = []
    seen = set()
    for name in NAMES:
        for p in ("open " + name, "go to " + name):
            if p not in seen:
                seen.add(p)
                phrases.append(p)
    for verb in VERBS:
        for name in NAMES:
            for topic in TOPICS:
                p = f"{verb} {name} {topic}"
                if p not in seen:
                    seen.add(p)
                    phrases.append(p)
    random.Random(7).shuffle(phrases)
    if count > len(phrases):
        sys.exit(f"only {len(phrases)} phrases can be made")
    return phrases[:count]


def shipped_phrases(path):
    """Every plain phrase of a grammar file, "+"/"-" marks dropped."""
    root = ET.parse(path).getroot()
    phrases = []
    seen = set()
    for element in root.iter():
        if element.tag.lower() != "p" or len(list(element)) or not element.text:
            continue
        text = re.sub(r"\s+", " ", re.sub(r"(^|\s)[+-]+", " ", element.text)).strip()
        if text and re.fullmatch(r"[A-Za-z' ]+", text) and text not in seen:
            seen.add(text)
            phrases.append(text)
    return phrases


def write_grammar(path, phrases):
    with open(path, "w", encoding="utf-8") as out:
        out.write('<GRAMMAR LANGID="409">\n')
        for p in phrases:
            e = escape(p, {'"': "&quot;"})
            out.write(f'  <RULE NAME="{e}" TOPLEVEL="ACTIVE"><P>{e}</P></RULE>\n')
        out.write("</GRAMMAR>\n")


def part_of(text):
    return "tune" if hashlib.sha1(text.encode()).digest()[0] % 2 == 0 else "test"


def speak(text, voice, speed, path):
    subprocess.run(["espeak-ng", "-v", voice, "-s", str(speed), "-w", path, text],
                   check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("out", help="output folder")
    parser.add_argument("--sizes", default="300,3000,20000")
    parser.add_argument("--grammar", help="take the phrases of this grammar file")
    parser.add_argument("--commands", type=int, default=60,
                        help="phrases spoken per voice")
    parser.add_argument("--sentences", type=int, default=30,
                        help="non-command sentences spoken per voice")
    parser.add_argument("--bookmark-words", type=int, default=16,
                        help="single title words dictated per voice (half as many pairs)")
    parser.add_argument("--zips", type=int, default=5, help="zip codes dictated per voice")
    parser.add_argument("--cities", type=int, default=8, help="places dictated per voice")
    parser.add_argument("--web", type=int, default=8, help="web searches dictated per voice")
    args = parser.parse_args()

    os.makedirs(os.path.join(args.out, "clips"), exist_ok=True)
    sizes = [int(s) for s in args.sizes.split(",")]
    if args.grammar:
        base = shipped_phrases(args.grammar)
        extra = [p for p in catalogue_phrases(max(sizes)) if p not in set(base)]
        pool = base + extra
    else:
        base = None
        pool = catalogue_phrases(max(sizes))
    for size in sizes:
        write_grammar(os.path.join(args.out, f"grammar_{size}.xml"), pool[:size])

    # Spoken commands come from the smallest grammar, so they are in all.
    spoken_pool = pool[:min(sizes)] if base is None else base[:min(sizes)]
    rng = random.Random(11)
    rows = []
    for index, (voice, speed, group, part) in enumerate(VOICES):
        # Each voice speaks only texts of its own part.
        own = [p for p in spoken_pool if part_of(p) == part]
        own_sentences = [t for t in SENTENCES if part_of(t) == part]
        commands = rng.sample(own, min(args.commands, len(own)))
        sentences = rng.sample(own_sentences, min(args.sentences, len(own_sentences)))
        for n, text in enumerate(commands):
            name = f"clips/cmd_{index}_{n}.wav"
            speak(text, voice, speed, os.path.join(args.out, name))
            rows.append((name, text, voice, speed, part, group, "clean"))
        for n, text in enumerate(sentences):
            name = f"clips/oog_{index}_{n}.wav"
            speak(text, voice, speed, os.path.join(args.out, name))
            rows.append((name, "", voice, speed, part, group, "clean"))
    with open(os.path.join(args.out, "manifest.tsv"), "w", encoding="utf-8") as out:
        for row in rows:
            out.write("\t".join(str(x) for x in row) + "\n")
    dictated = dictation_clips(args, rng)
    print(f"{len(rows)} command clips and {dictated} dictation clips in {args.out}")


def dictation_clips(args, rng):
    """Search words after a search phrase, by road; each part its own texts."""
    with open(os.path.join(args.out, "bookmarks.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(BOOKMARKS) + "\n")
    singles = sorted({w for t in BOOKMARKS for w in title_words(t)})
    pairs = sorted({" ".join(p) for t in BOOKMARKS
                    for p in zip(title_words(t), title_words(t)[1:])})
    rows = []
    for index, (voice, speed, group, part) in enumerate(VOICES):
        def own(texts, count):
            mine = [t for t in texts if part_of(t) == part]
            return rng.sample(mine, min(count, len(mine)))
        zips = [" ".join(rng.choice(DIGITS) for _ in range(5)) for _ in range(args.zips)]
        said = ([(t, "bookmark") for t in own(singles, args.bookmark_words)] +
                [(t, "bookmark") for t in own(pairs, args.bookmark_words // 2)] +
                [(t, "zip") for t in zips] +
                [(t, "city") for t in own(PLACES, args.cities)] +
                [(t, "web") for t in own(WEB_SEARCHES, args.web)])
        for n, (text, road) in enumerate(said):
            name = f"clips/dict_{index}_{n}.wav"
            speak(text, voice, speed, os.path.join(args.out, name))
            rows.append((name, text, road, voice, speed, part, group))
    with open(os.path.join(args.out, "dictation.tsv"), "w", encoding="utf-8") as out:
        for row in rows:
            out.write("\t".join(str(x) for x in row) + "\n")
    return len(rows)


if __name__ == "__main__":
    main()
