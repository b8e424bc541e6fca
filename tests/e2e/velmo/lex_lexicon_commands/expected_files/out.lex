(a
 (phrases (a, b c))
 )
("a, b c"
 (avm ())
 )
(cats
 (avm (+n +pl))
 (freq corpus 12 web 3.5)
 )
(dog
 (avm (+n))
 (gloss a pet)
 (gloss appended)
 )
(in
 (avm (+prep))
 (phrases (in front of) (in spite of))
 )
("in front of"
 (avm (+prep))
 )
("say \"hi\""
 (gloss quoted key)
 )
