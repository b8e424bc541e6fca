(dog (gloss appended))
(in (phrases (in spite of) (IN FRONT OF)))
