# Pennova writing template (our own text)
id: 403
kind: high
category: 报告|Reports
name: 读书报告|Book report
description: 适用于英语课上的读书报告。介绍书名、作者和主要内容，分析人物或主题，写出自己的感受，最后说明是否推荐。
title: A Book Report on [书名，如 The Old Man and the Sea] || [书名，如 The Old Man and the Sea]读书报告

[block]
[书名，如 The Old Man and the Sea] was written by [作者，如 Ernest Hemingway]. || [书名，如 The Old Man and the Sea]是[作者，如 Ernest Hemingway]写的。
It tells the story of [故事，如 an old fisherman who fights with a huge fish for three days]. || 它讲述了[故事，如 an old fisherman who fights with a huge fish for three days]的故事。
[alternative]
Recently, I read [书名，如 The Old Man and the Sea] by [作者，如 Ernest Hemingway]. || 最近，我读了[作者，如 Ernest Hemingway]的[书名，如 The Old Man and the Sea]。
The book is about [故事，如 an old fisherman who fights with a huge fish for three days]. || 这本书讲的是[故事，如 an old fisherman who fights with a huge fish for three days]。

[block]
The main character is [人物，如 Santiago], who [特点，如 never gives up even when he is tired and alone]. || 主人公是[人物，如 Santiago]，他[特点，如 never gives up even when he is tired and alone]。
What I admire most is [品质，如 his courage]. || 我最钦佩的是[品质，如 his courage]。

[block]
The book shows that [主题，如 a person can be defeated but not destroyed]. || 这本书告诉我们[主题，如 a person can be defeated but not destroyed]。
This idea moved me deeply. || 这个观点深深打动了我。
It reminded me of [联系，如 the time I failed my first driving test]. || 它让我想起了[联系，如 the time I failed my first driving test]。
[alternative]
After reading it, I learned an important lesson. || 读完以后，我学到了重要的一课。
[道理，如 When we meet difficulties, we should face them bravely]. || [道理，如 When we meet difficulties, we should face them bravely]。

[block]
I would recommend this book to anyone who [推荐对象，如 needs courage in hard times]. || 我会把这本书推荐给任何[推荐对象，如 needs courage in hard times]的人。
It is well worth reading more than once. || 它非常值得多读几遍。
[alternative]
In short, it is one of the best books I have ever read. || 简而言之，这是我读过的最好的书之一。
I am sure you will enjoy it as much as I did. || 我相信你会和我一样喜欢它。

[common]
The story takes place in a small village. || 故事发生在一个小村庄里。
The language of the book is simple but powerful. || 这本书的语言简洁而有力。
The ending surprised me. || 结局让我很意外。
The writer describes the sea in great detail. || 作者非常细致地描写了大海。
I could not put the book down. || 我对这本书爱不释手。
Each chapter ends with a question. || 每一章都以一个问题结尾。
The book has been translated into many languages. || 这本书已被翻译成多种语言。
It made me think about my own life. || 它让我思考自己的生活。
