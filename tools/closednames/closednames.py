#!/usr/bin/env python3
"""Writes the checker's closed-class names (server/checker/data/closed-names.txt).

Continents, countries, big cities, months, weekdays, languages and nationalities:
the capitalised words a learner most often misspells. Countries and languages come
from iso-codes (LGPL 2.1+), cities from the tz database's zone names (public domain),
the calendar and the compass words are listed here. A name is kept only when the
Hunspell en_US dictionary knows it capitalised and the shipped frequency list has it
(so no rare name becomes a target of corrections).

    python3 tools/closednames/closednames.py > server/checker/data/closed-names.txt
"""
import json
import os
import re
import subprocess
import sys

ISO = '/usr/share/iso-codes/json'
ZONES = '/usr/share/zoneinfo/zone1970.tab'
DICTIONARY = 'en_US'
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
FREQUENCIES = os.path.join(ROOT, 'server/checker/data/frequency_dictionary_en_82_765.txt')
MAX_RANK = 40000  # names rarer than this in the frequency list are left out

CALENDAR = {
    'month': 'January February March April May June July August September October November December',
    'weekday': 'Monday Tuesday Wednesday Thursday Friday Saturday Sunday',
    'continent': 'Africa America Americas Antarctica Asia Australia Europe Oceania Arctic Atlantic Pacific',
    # words of place names ("Middle East", "United Kingdom", "South Africa")
    'placeword': 'North South East West Northern Southern Eastern Western Middle Central United Kingdom '
                 'States Republic Latin Far Near',
    # well-known places that the sources below lack or name otherwise ("Türkiye", "Korea, Republic of")
    'country': 'Turkey Korea Russia Britain England Scotland Wales Holland Vietnam Syria Bolivia Venezuela '
               'Tanzania Taiwan Tibet Ukraine Ireland Arabia',
    'region': 'Hawaii Alaska California Texas Florida Siberia Scandinavia Caribbean Mediterranean Sahara '
              'Himalayas Eurasia',
    'city': 'Kyoto Osaka Beijing Mumbai Delhi Barcelona Milan Venice Florence Munich Hamburg Amsterdam Stockholm '
            'Oslo Copenhagen Rio Brasilia Washington Boston Moscow Seoul Hanoi Calcutta Chennai Bangalore Montreal '
            'Quebec Ottawa Philadelphia Singapore Guangzhou Nanjing Wuhan Chongqing Hangzhou Tianjin Harbin Chengdu '
            'Geneva Frankfurt Lyon Naples Kiev Edinburgh Manchester Liverpool Glasgow Seattle Atlanta Miami',
    'nationality': 'Korean British Scottish Arab Belarusian',
}
# tz zone cities and languages that are as often the names of people
PERSON_NAMES = {'Shan', 'Darwin', 'Dawson', 'Regina', 'Stanley', 'Halifax', 'Chatham', 'Norfolk', 'Perth', 'Palmer',
                'Casey', 'Davis', 'Knox', 'Sofia', 'Santiago', 'Adelaide', 'Lima', 'Mendoza', 'Merida', 'Cordoba',
                'Jersey', 'Beulah', 'Phoenix'}
MAX_RANK_OF = {'city': 20000, 'language': 20000, 'nationality': 30000}
DEMONYM_ENDINGS = ['n', 'an', 'ian', 'ese', 'ish', 'i']


def known(words):
    """The words Hunspell accepts as written."""
    words = sorted(set(words))
    out = subprocess.run(['hunspell', '-d', DICTIONARY, '-G'], input='\n'.join(words), capture_output=True,
                         text=True, check=True).stdout.split()
    return set(out)


def ranks():
    r = {}
    with open(FREQUENCIES, encoding='utf-8-sig') as f:
        for n, line in enumerate(f, 1):
            w = line.split(' ', 1)[0]
            r.setdefault(w, n)
    return r


def main():
    names = {}  # name -> class
    for cls, words in CALENDAR.items():
        for w in words.split():
            names.setdefault(w, cls)
    countries = set()
    for c in json.load(open(f'{ISO}/iso_3166-1.json'))['3166-1']:
        for key in ('common_name', 'name'):
            if key in c and re.fullmatch(r'[A-Z][a-z]+', c[key]):
                countries.add(c[key])
    for c in countries:
        names.setdefault(c, 'country')
    for lang in json.load(open(f'{ISO}/iso_639-2.json'))['639-2']:
        n = lang['name'].split(';')[0].strip()
        if re.fullmatch(r'[A-Z][a-z]+', n):
            if n not in PERSON_NAMES:
                names.setdefault(n, 'language')
    for line in open(ZONES, encoding='utf-8'):
        if line.startswith('#'):
            continue
        # Region/City only: America/Indiana/Knox and the Antarctic stations are no big cities
        parts = line.split('\t')[2].strip().split('/')
        if len(parts) == 2 and parts[0] != 'Antarctica' and re.fullmatch(r'[A-Z][a-z]+', parts[1]) \
                and parts[1] not in PERSON_NAMES:
            names.setdefault(parts[1], 'city')
    # nationalities: a country or continent with a usual ending ("Chinese", "Brazilian")
    demonyms = set()
    for c in countries | set(CALENDAR['continent'].split()):
        stems = {c, c[:-1]} if c[-1] in 'aeyo' else {c}
        for s in stems:
            for e in DEMONYM_ENDINGS:
                demonyms.add(s + e)
    ok = known(list(names) + list(demonyms))
    lower_ok = known([d.lower() for d in demonyms])
    for d in demonyms:
        if d in ok and d.lower() not in lower_ok:
            names.setdefault(d, 'nationality')
    rank = ranks()
    # a city or language that is also a lower-case word (Resolute, Creek, Gothic) is no
    # target; languages named like nationalities (English, Dutch) are
    lower_words = known([n.lower() for n in names])

    def plain_word(n):
        if names[n] == 'language' and re.search(r'(ish|ese|ian|an|ch|i)$', n):
            return False
        return names[n] in ('city', 'language') and n.lower() in lower_words

    # the commonest first: among equally near names the first is the likeliest
    kept = sorted((n for n in names if n in ok and 0 < rank.get(n.lower(), 0) <= MAX_RANK_OF.get(names[n], MAX_RANK)
                   and not plain_word(n)), key=lambda n: (rank[n.lower()], n))
    print('# Pennova closed-class names: the capitalised words (places, calendar, languages,')
    print('# nationalities) that a capitalised unknown word may be a slip of.')
    print('# Written by tools/closednames/closednames.py from iso-codes (LGPL 2.1+), the tz')
    print('# database (public domain) and the Hunspell en_US word list; name<TAB>class a line,')
    print('# the commonest first.')
    for n in kept:
        print(f'{n}\t{names[n]}')
    print(f'{len(kept)} names', file=sys.stderr)


if __name__ == '__main__':
    main()
