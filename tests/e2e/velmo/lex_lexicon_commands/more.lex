; entries of a lexicon file
(cats (synavm (+n +pl)) (freq corpus 12 web 3.5))
(cats (gloss second reading))
("say \"hi\"" (gloss quoted key))
