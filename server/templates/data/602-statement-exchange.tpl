# Pennova writing template (our own text)
id: 602
kind: high
category: 个人陈述|Personal statements
name: 交换项目申请陈述|Statement for an exchange program
description: 适用于申请校际交换、暑期学校或海外实习项目的申请陈述。说明申请动机、自身准备、交换期间的学习计划和回国后的打算。
title: Why I Want to Join [标题中的项目，如 the Exchange Program with the University of Melbourne] || 我为什么想参加[标题中的项目，如 the Exchange Program with the University of Melbourne]

[block]
I am writing to apply for [项目，如 the exchange program with the University of Melbourne]. || 我写信申请[项目，如 the exchange program with the University of Melbourne]。
I am a [年级，如 second-year] student of [专业，如 environmental science]. || 我是[专业，如 environmental science]专业的[年级，如 second-year]学生。
[alternative]
Studying abroad for a term has long been one of my dreams. || 出国学习一个学期一直是我的梦想之一。
This program gives me the perfect chance to make it come true. || 这个项目给了我实现它的绝佳机会。

[block]
I want to join this program for two reasons. || 我想参加这个项目有两个原因。
First, [理由一，如 the university is famous for its research on water resources]. || 首先，[理由一，如 the university is famous for its research on water resources]。
Second, I want to broaden my horizons and learn about a different culture. || 其次，我想开阔眼界，了解不同的文化。
[alternative]
What attracts me most is [吸引点，如 the chance to do field work in a national park]. || 最吸引我的是[吸引点，如 the chance to do field work in a national park]。
It is something I cannot do at my home university. || 这是我在本校无法做到的。

[block]
I have prepared well for this chance. || 我为这次机会做了充分的准备。
My English test score is [成绩，如 IELTS 7.0]. || 我的英语考试成绩是[成绩，如 IELTS 7.0]。
I have also [准备，如 taken part in an international volunteer project]. || 我还[准备，如 taken part in an international volunteer project]。

[block]
During the exchange, I plan to take courses in [课程，如 water management and ecology]. || 交换期间，我计划修读[课程，如 water management and ecology]等课程。
I will also try to make friends with students from different countries. || 我还会努力与来自不同国家的学生交朋友。

[block]
When I come back, I will share what I have learned with my classmates. || 回来后，我会与同学们分享我学到的东西。
I believe this experience will help me become a better student and a better person. || 我相信这段经历将帮助我成为更好的学生和更好的人。

[common]
I am open to new ideas and new people. || 我乐于接受新的想法和结识新的人。
I can adapt to a new place quickly. || 我能很快适应新环境。
This program fits my study plan well. || 这个项目非常符合我的学习计划。
I have talked with students who joined it before. || 我和以前参加过的同学交流过。
I am ready to face the challenges of living abroad. || 我已经准备好面对海外生活的挑战。
I will make the most of every day there. || 我会充分利用在那里的每一天。
My family fully supports my decision. || 我的家人完全支持我的决定。
Thank you for considering my application. || 感谢您考虑我的申请。
